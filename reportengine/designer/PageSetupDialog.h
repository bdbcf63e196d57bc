#pragma once

// Paper, orientation, margins and columns of a report page.

#include "reportengine/designer/DesignerHost.h"
#include "reportengine/designer/core/DesignerModel.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;
class QSpinBox;

namespace ergotab::report::designer {

class PageSetupDialog : public QDialog
{
    Q_OBJECT

public:
    PageSetupDialog(const DesignerHost &host, const PageSetup &setup, QWidget *parent = nullptr);
    PageSetup setup() const;

private:
    void paperChosen();

    PageSetup m_original;
    QComboBox *m_paper = nullptr;
    QDoubleSpinBox *m_width = nullptr;
    QDoubleSpinBox *m_height = nullptr;
    QRadioButton *m_portrait = nullptr;
    QRadioButton *m_landscape = nullptr;
    QDoubleSpinBox *m_margins[4] = {};
    QSpinBox *m_columns = nullptr;
    QDoubleSpinBox *m_gap = nullptr;
};

} // namespace ergotab::report::designer
