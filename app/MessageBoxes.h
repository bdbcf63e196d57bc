#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace ergotab {

// Every message box of the program goes through these functions, so that a test can answer
// them in advance instead of a user (see MessageBoxRecorder).

// The application's standard error box: the text of a failure no command caught.
void showErrorBox(QWidget *parent, const QString &text);

namespace MessageBoxes {

enum class Kind { Information, Warning, Question, Error };
// How a question was left: Escape and the window's close button give Cancelled.
enum class Answer { Yes, No, Cancelled };

struct Shown
{
    Kind kind;
    QString title;
    QString text;
};

// Information box with an OK button.
void information(QWidget *parent, const QString &text);
void information(QWidget *parent, const QString &title, const QString &text);
// Warning box with an OK button.
void warning(QWidget *parent, const QString &text);
// A warning that does not stop the work: shown beside `parent` (a child of it, gone with it)
// and left open until the user closes it. `details` behind the box's "show details" button.
void notice(QWidget *parent, const QString &title, const QString &text, const QString &details);
// Question with the buttons Yes and No (never Cancel); true only for Yes. Closing the box
// any other way counts as No.
bool question(QWidget *parent, const QString &title, const QString &text);
// The same box for questions whose command can still be called off: Escape or closing the
// box is told apart from No, so that only No throws anything away.
Answer askYesNo(QWidget *parent, const QString &title, const QString &text);

} // namespace MessageBoxes

// While one exists, no box is shown: each is recorded, and questions take the preset answers
// in order (No once they run out). Not nestable.
class MessageBoxRecorder
{
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder &) = delete;
    MessageBoxRecorder &operator=(const MessageBoxRecorder &) = delete;

    void answerNext(bool yes) { m_answers.append(yes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No); }
    // The next question is left with Escape.
    void escapeNext() { m_answers.append(MessageBoxes::Answer::Cancelled); }
    const QList<MessageBoxes::Shown> &shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

    // Used by the box functions.
    MessageBoxes::Answer record(const MessageBoxes::Shown &box);

private:
    QList<MessageBoxes::Shown> m_shown;
    QList<MessageBoxes::Answer> m_answers;
};

} // namespace ergotab
