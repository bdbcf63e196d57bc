#pragma once

// The properties of the selected objects: position and size in millimetres, the text or
// expression, font, alignment, colours, frame, fill, display format, highlight. With several
// objects selected a field shows a value only when all share it (a check box is half-ticked,
// a field empty), and what is changed goes to all of them as one step.

#include "reportengine/designer/core/DesignerModel.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ergotab::report::designer {

class DesignSurface;

class PropertyPanel : public QWidget
{
    Q_OBJECT

public:
    PropertyPanel(DesignerModel &model, DesignSurface &surface, QWidget *parent = nullptr);

    // Reads the selection again (after changes and selection changes).
    void refresh();

    // The text, expression or HTML an object of this kind keeps (nullptr for lines and shapes).
    static QString *contentText(ReportObject &object);
    // Embeds the picture file into the selected picture objects; false when it is no picture.
    bool loadPicture(const QString &path);

signals:
    // The "…" button: the window opens the expression editor on the first selected object.
    void editTextRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void apply(const QString &what, const std::function<void(ReportObject &)> &edit);
    void applyGeometry(QLineEdit *edit);
    void applyText();
    void pickColor(QPushButton *button, const QString &what, const std::function<void(ReportObject &, QColor)> &set);
    std::vector<ReportObject> selected() const;

    DesignerModel &m_model;
    DesignSurface &m_surface;
    bool m_refreshing = false;

    QLabel *m_kind = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_x = nullptr;
    QLineEdit *m_y = nullptr;
    QLineEdit *m_width = nullptr;
    QLineEdit *m_height = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QPushButton *m_textButton = nullptr;
    QPushButton *m_pictureButton = nullptr;
    QFontComboBox *m_font = nullptr;
    QLineEdit *m_fontSize = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QPushButton *m_textColor = nullptr;
    QComboBox *m_hAlign = nullptr;
    QComboBox *m_vAlign = nullptr;
    QCheckBox *m_wordWrap = nullptr;
    QCheckBox *m_stretch = nullptr;
    QLineEdit *m_format = nullptr;
    QPushButton *m_fill = nullptr;
    QCheckBox *m_noFill = nullptr;
    QCheckBox *m_frameSides[4] = {};
    QLineEdit *m_frameWidth = nullptr;
    QPushButton *m_frameColor = nullptr;
    QLineEdit *m_highlight = nullptr;
    QPushButton *m_highlightColor = nullptr;
    QPushButton *m_highlightFill = nullptr;
    QCheckBox *m_visible = nullptr;
    QPlainTextEdit *m_script = nullptr;
    QLabel *m_scriptLabel = nullptr;
};

} // namespace ergotab::report::designer
