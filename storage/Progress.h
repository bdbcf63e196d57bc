#pragma once

#include <QString>

namespace ergotab {

// What a long operation tells the user while it runs. The main window's progress dialog
// implements it; core code and tests may pass none.
class ProgressSink
{
public:
    virtual ~ProgressSink() = default;
    virtual void showProgress(const QString &text, int maximum) = 0;
    virtual void stepProgress() = 0;
    virtual void setProgress(int value) = 0;
    virtual void hideProgress() = 0;
};

// Hides the dialog whatever way the operation ends.
class ProgressScope
{
public:
    ProgressScope(ProgressSink *sink, const QString &text, int maximum)
        : m_sink(sink)
    {
        if (m_sink)
            m_sink->showProgress(text, maximum);
    }
    ~ProgressScope()
    {
        if (m_sink)
            m_sink->hideProgress();
    }
    void step()
    {
        if (m_sink)
            m_sink->stepProgress();
    }
    void set(int value)
    {
        if (m_sink)
            m_sink->setProgress(value);
    }
    ProgressScope(const ProgressScope &) = delete;
    ProgressScope &operator=(const ProgressScope &) = delete;

private:
    ProgressSink *m_sink;
};

} // namespace ergotab
