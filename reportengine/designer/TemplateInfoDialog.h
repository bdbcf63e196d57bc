#pragma once

// "Vlastnosti sestavy": the template's name, its description and whether it is laid out twice.

#include "reportengine/designer/DesignerHost.h"
#include "reportengine/designer/core/DesignerModel.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace ergotab::report::designer {

class TemplateInfoDialog : public QDialog
{
    Q_OBJECT

public:
    TemplateInfoDialog(const DesignerHost &host, const TemplateInfo &info, QWidget *parent = nullptr);
    TemplateInfo info() const;

private:
    QLineEdit *m_name = nullptr;
    QPlainTextEdit *m_description = nullptr;
    QCheckBox *m_doublePass = nullptr;
};

} // namespace ergotab::report::designer
