#pragma once

// A band's options in a small dialog: name, height, data source (a source of the caller or a
// number of empty records), the keys joining a detail band to its master, the group condition,
// the print condition, the child band and the flags.

#include "reportengine/designer/DesignerHost.h"
#include "reportengine/model/ReportTemplate.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace ergotab::report::designer {

class BandDialog : public QDialog
{
    Q_OBJECT

public:
    BandDialog(const DesignerHost &host, const ReportTemplate &report, const Band &band, QWidget *parent = nullptr);

    // The band with the options as edited (its objects untouched).
    Band band() const;
    // The first faulty expression with its caption; empty when all are sound. OK refuses a fault.
    QString problem() const;
    void accept() override;

private:
    void check();
    QLineEdit *expressionRow(QFormLayout *form, const QString &label, const char *name, const QString &value,
                             bool text);

    const DesignerHost &m_host;
    const ReportTemplate &m_report;
    Band m_band;
    QLineEdit *m_name = nullptr;
    QDoubleSpinBox *m_height = nullptr;
    QComboBox *m_source = nullptr;
    QLineEdit *m_key = nullptr;
    QLineEdit *m_masterKey = nullptr;
    QLineEdit *m_condition = nullptr;
    QLineEdit *m_printIf = nullptr;
    QComboBox *m_child = nullptr;
    std::vector<std::pair<QCheckBox *, bool Band::*>> m_flags;
    std::vector<std::pair<QString, QLineEdit *>> m_expressions; // with their captions
    QLabel *m_status = nullptr;
};

} // namespace ergotab::report::designer
