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
class QLineEdit;

namespace ergotab::report::designer {

class BandDialog : public QDialog
{
    Q_OBJECT

public:
    BandDialog(const DesignerHost &host, const ReportTemplate &report, const Band &band, QWidget *parent = nullptr);

    // The band with the options as edited (its objects untouched).
    Band band() const;

private:
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
};

} // namespace ergotab::report::designer
