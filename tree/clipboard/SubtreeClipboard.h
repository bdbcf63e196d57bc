#pragma once

#include "SubtreeTransfer.h"

#include <QString>

namespace ergotab {
class Document;
}

namespace ergotab::tree {

// The subtree clipboard: a table Object.dbf (with Object.dbt) in a folder "CLP…" of the
// system's temporary folder, shared by every running copy of the program and kept between
// runs. A lock file in the folder serialises the copies: a copy puts a complete table in place
// while it holds the lock, and a paste takes a private snapshot while it holds it, so no copy
// of the program ever reads a clipboard another is half-way through writing.
class SubtreeClipboard
{
public:
    // Finds the first "CLP*.TMP" entry of the temporary folder, or makes a new folder.
    static QString PrepareClipboardFolder();

    explicit SubtreeClipboard(QString folder);

    const QString &folder() const { return m_folder; }
    QString tablePath() const;

    // True when the clipboard table exists, can be read and holds rows. A damaged or foreign
    // file counts as an empty clipboard.
    bool ClipboardHasRows() const;

    // Copy1Click: replaces the clipboard by the subtree of `source` under `startIndex`
    // (Index 1, 2, … in copy order). Returns the number of rows copied; nothing found leaves
    // an empty clipboard.
    int copyFrom(dbf::Table &source, int startIndex, ProgressSink *progress);

    // Paste1Click's transfer: the clipboard's subtree into the document under `parent`.
    // Engine errors end it with the engine's message; rows already pasted stay.
    int pasteInto(Document &document, int parent, const RowAdded &rowAdded, ProgressSink *progress);

    // How long a command waits for another copy of the program to finish with the clipboard.
    static constexpr int LockWaitMs = 20000;

private:
    QString m_folder;
};

} // namespace ergotab::tree
