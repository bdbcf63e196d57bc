#pragma once

class QWidget;

namespace ergotab {

class Document;

// "Úprava sestav": the report designer on an empty report over the stored document. The report
// data stays open without an index while the designer is open (its preview reads it), templates
// are opened and saved in the reports folder, F1 opens the designer's help topics. Returns when
// the designer is closed; the caller builds the "Sestavy" menu again.
void designReports(QWidget *mainWindow, Document &document);

} // namespace ergotab
