#pragma once

#include <QPlainTextEdit>

class QLineEdit;

namespace ergotab::tree {

// The document stores its texts in Windows-1250 and its names in 250 characters. The editor's
// fields refuse whatever the document could not store as it is typed or pasted, with a short
// note beside the field, so that what the user sees is what will be stored.

// The width of the name field of the Object table.
constexpr int NameFieldWidth = 250;

// Only storable characters, at most NameFieldWidth of them.
void guardNameEdit(QLineEdit *edit);

// A memo box that takes only storable characters, typed, pasted or dropped.
class MemoEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit MemoEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
};

// The note shown when a field refused input.
QString refusedCharacterNote();

} // namespace ergotab::tree
