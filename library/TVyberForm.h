#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace ergotab::library {

// "Vyberte specifikaci": which of a factor's templates "Vzor" inserts. OK is enabled once an
// entry is chosen; closing by the title bar keeps whatever entry is chosen.
class TVyberForm : public QDialog
{
    Q_OBJECT
public:
    explicit TVyberForm(QWidget *parent = nullptr);

    // The factor's short name and its specifications; nothing is chosen.
    void offer(const QString &factorName, const QStringList &specifications);
    // The chosen position, -1 for none.
    int chosen() const;

public slots:
    void SpecifikComboBoxChange();

private:
    QLabel *FaktorRxLabel = nullptr;
    QComboBox *SpecifikComboBox = nullptr;
    QPushButton *BitBtn1 = nullptr;
};

} // namespace ergotab::library
