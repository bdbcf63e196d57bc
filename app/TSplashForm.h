#pragma once

#include <QWidget>

class QLabel;

namespace ergotab {

// The borderless window shown while the program starts: a drawn picture with the product
// name and the version.
class TSplashForm : public QWidget
{
    Q_OBJECT
public:
    explicit TSplashForm(QWidget *parent = nullptr);

    QLabel *versionLabel() const { return m_version; }

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_version;
};

} // namespace ergotab
