#pragma once

class QWidget;

namespace ergotab::tree {

struct EditorControls;

// The page "Komentáře" (TabSheet2): the description over the measurements over the protective
// measures, with two movable splitters and the button "Vzor" beside the last caption.
QWidget *buildCommentsPage(EditorControls &controls);

} // namespace ergotab::tree
