#pragma once

// The properties of the selected objects: name, position and size in millimetres, visibility
// and print condition, the text or expression, and a group for each kind of object (text with
// its font, alignment, format and highlight; picture; shape; check box; bar code), then frame
// and fill. Groups of kinds not selected are hidden. With several objects selected a field
// shows a value only when all share it, and what is changed goes to all of them as one step.

#include "reportengine/designer/PanelBindings.h"
#include "reportengine/designer/core/DesignerModel.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

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
    // How a colour is chosen (a colour dialog; tests answer themselves).
    void setColorChooser(PanelBindings::ChooseColor choose);
    // How a condition is edited beyond its field (the window's expression editor); nothing
    // when cancelled. Without it the fields' "…" buttons stay hidden.
    using EditExpression = std::function<std::optional<QString>(const QString &expression)>;
    void setExpressionEditor(EditExpression edit);

signals:
    // The "…" button: the window opens the editor of the first selected object's text.
    void editTextRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QVBoxLayout *build();
    QFormLayout *addGroup(QVBoxLayout *column, const QString &title, const char *name,
                          std::function<bool(const ReportObject &)> shownFor = {});
    void buildPlace(QVBoxLayout *column);
    void buildContent(QVBoxLayout *column);
    void buildText(QVBoxLayout *column);
    void buildHighlight(QVBoxLayout *column);
    void buildKinds(QVBoxLayout *column);
    void buildFrame(QVBoxLayout *column);
    QWidget *withEditorButton(QLineEdit *edit, const char *buttonName);
    void apply(const QString &what, const std::function<void(ReportObject &)> &edit);
    void applyGeometry(QLineEdit *edit);
    void applyName();
    void applyText();
    std::vector<ReportObject> selected() const;

    DesignerModel &m_model;
    DesignSurface &m_surface;
    PanelBindings::ChooseColor m_chooseColor;
    EditExpression m_editExpression;
    std::vector<QWidget *> m_editorButtons;
    PanelBindings *m_bindings = nullptr;
    bool m_refreshing = false;
    // Groups shown only while every selected object passes their test.
    std::vector<std::pair<QGroupBox *, std::function<bool(const ReportObject &)>>> m_kindGroups;

    QLabel *m_kind = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_geometry[4] = {}; // left, top, width, height
    QPlainTextEdit *m_text = nullptr;
    QPushButton *m_textButton = nullptr;
    QPushButton *m_pictureButton = nullptr;
    QComboBox *m_subreportPage = nullptr;
    QPlainTextEdit *m_script = nullptr;
    QLabel *m_scriptLabel = nullptr;
};

} // namespace ergotab::report::designer
