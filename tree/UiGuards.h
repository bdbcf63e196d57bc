#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace ergotab::tree {

// Suspends a widget's repainting for a scope; the widget repaints once at the end.
class RepaintSuspender
{
public:
    explicit RepaintSuspender(QWidget &widget)
        : m_widget(&widget)
        , m_wasEnabled(widget.updatesEnabled())
    {
        widget.setUpdatesEnabled(false);
    }
    ~RepaintSuspender()
    {
        if (m_widget && m_wasEnabled) {
            m_widget->setUpdatesEnabled(true);
            m_widget->update();
        }
    }
    RepaintSuspender(const RepaintSuspender &) = delete;
    RepaintSuspender &operator=(const RepaintSuspender &) = delete;

private:
    QPointer<QWidget> m_widget;
    bool m_wasEnabled;
};

// The busy cursor for a scope.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// Swallows every user input event (mouse, keys, wheel, touch, drops, context menus, shortcuts
// and window close requests) for a scope, while the code inside lets window events run. A
// command that processes events half-way through changing the tables uses it, so no click or
// key can move the selection or a table's cursor under it.
class UserInputBlocker : public QObject
{
public:
    UserInputBlocker();
    ~UserInputBlocker() override;
    static bool isActive();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace ergotab::tree
