#include "TProgressForm.h"

#include "WindowPlacement.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace ergotab {

TProgressForm::TProgressForm(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("ProgressForm"));
    setWindowTitle(QStringLiteral("Prubeh"));

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    m_text = new QLabel(frame);
    m_text->setObjectName(QStringLiteral("TextLabel"));
    m_gauge = new QProgressBar(frame);
    m_gauge->setObjectName(QStringLiteral("ProgressGauge"));
    m_gauge->setTextVisible(true);

    auto *inner = new QVBoxLayout(frame);
    inner->addWidget(m_text);
    inner->addWidget(m_gauge);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    setFixedSize(360, 80);
}

TProgressForm::~TProgressForm()
{
    hideProgress();
}

void TProgressForm::showProgress(const QString &text, int maximum)
{
    m_gauge->setRange(0, qMax(0, maximum));
    m_gauge->setValue(0);
    m_text->setText(text);
    if (!m_waitCursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_waitCursor = true;
    }
    if (!isVisible()) {
        centreOnScreen(this);
        show();
    }
    raise();
    refresh();
}

void TProgressForm::stepProgress()
{
    m_gauge->setValue(qMin(m_gauge->value() + 1, m_gauge->maximum()));
    refresh();
}

void TProgressForm::setProgress(int value)
{
    m_gauge->setValue(qBound(m_gauge->minimum(), value, m_gauge->maximum()));
    refresh();
}

void TProgressForm::hideProgress()
{
    hide();
    if (m_waitCursor) {
        QApplication::restoreOverrideCursor();
        m_waitCursor = false;
    }
}

void TProgressForm::refresh()
{
    repaint();
    QApplication::processEvents();
}

} // namespace ergotab
