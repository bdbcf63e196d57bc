#pragma once

#include <QDialog>

class QLabel;

namespace ergotab {

// "O programu": product name, version and an OK button; shown modally, freed when closed.
class TAboutForm : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *parent = nullptr);

    QLabel *versionLabel() const { return m_version; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_version;
};

} // namespace ergotab
