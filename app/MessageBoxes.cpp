#include "MessageBoxes.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ergotab {

namespace {

MessageBoxRecorder *s_recorder = nullptr;

QString applicationTitle()
{
    const QString title = QGuiApplication::applicationDisplayName();
    return title.isEmpty() ? QStringLiteral("Ergotab") : title;
}

QMessageBox::StandardButton present(QWidget *parent, MessageBoxes::Kind kind, const QString &title, const QString &text)
{
    using MessageBoxes::Kind;
    if (s_recorder)
        return s_recorder->record({kind, title, text}) == MessageBoxes::Answer::Yes ? QMessageBox::Yes
                                                                                    : QMessageBox::No;
    switch (kind) {
    case Kind::Information:
        return QMessageBox::information(parent, title, text);
    case Kind::Warning:
        return QMessageBox::warning(parent, title, text);
    case Kind::Error:
        return QMessageBox::critical(parent, title, text);
    case Kind::Question:
        return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    }
    return QMessageBox::NoButton;
}

} // namespace

void showErrorBox(QWidget *parent, const QString &text)
{
    present(parent, MessageBoxes::Kind::Error, applicationTitle(), text);
}

namespace MessageBoxes {

void information(QWidget *parent, const QString &text)
{
    present(parent, Kind::Information, QStringLiteral("Informace"), text);
}

void information(QWidget *parent, const QString &title, const QString &text)
{
    present(parent, Kind::Information, title, text);
}

void warning(QWidget *parent, const QString &text)
{
    present(parent, Kind::Warning, QStringLiteral("Upozornění"), text);
}

void notice(QWidget *parent, const QString &title, const QString &text, const QString &details)
{
    if (s_recorder) {
        s_recorder->record({Kind::Warning, title, text + QStringLiteral("\n\n") + details});
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("notice"));
    box->setDetailedText(details);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

bool question(QWidget *parent, const QString &title, const QString &text)
{
    return present(parent, Kind::Question, title, text) == QMessageBox::Yes;
}

Answer askYesNo(QWidget *parent, const QString &title, const QString &text)
{
    if (s_recorder)
        return s_recorder->record({Kind::Question, title, text});
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    // Left to itself the box takes No for Escape and the close button. A hidden Cancel takes
    // both instead, so the box still offers only Yes and No.
    QAbstractButton *escape = box.addButton(QMessageBox::Cancel);
    escape->hide();
    box.setEscapeButton(escape);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes))
        return Answer::Yes;
    if (box.clickedButton() == box.button(QMessageBox::No))
        return Answer::No;
    return Answer::Cancelled;
}

} // namespace MessageBoxes

MessageBoxRecorder::MessageBoxRecorder()
{
    Q_ASSERT(!s_recorder);
    s_recorder = this;
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    s_recorder = nullptr;
}

MessageBoxes::Answer MessageBoxRecorder::record(const MessageBoxes::Shown &box)
{
    m_shown.append(box);
    if (box.kind != MessageBoxes::Kind::Question || m_answers.isEmpty())
        return MessageBoxes::Answer::No;
    return m_answers.takeFirst();
}

} // namespace ergotab
