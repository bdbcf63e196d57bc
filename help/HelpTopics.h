#pragma once

// Context numbers of the help topics: one page "topics/<number>.html" each. The wizard's pages
// keep their own numbers (510-710 and 810-930); every other window takes one from here.
namespace ergotab::HelpTopic {

constexpr int MainWindow = 100;
constexpr int Editor = 110;
constexpr int Structure = 120; // new unit, new workplace, rename, move, delete
constexpr int Clipboard = 130;
constexpr int OpenSave = 140; // opening, saving, recent files, old document versions
constexpr int Export = 150;
constexpr int Summary = 160; // "Souhrn kategorií"
constexpr int Library = 200;
constexpr int SampleVariants = 210; // choosing among the variants of a library sample
constexpr int MeasureTemplates = 220;
constexpr int WorkerRegister = 300;
constexpr int ReportsMenu = 400;
constexpr int ReportProgress = 410;
constexpr int ReportDialog = 420; // a template's dialog page
constexpr int Preview = 430;
constexpr int Printing = 440;
constexpr int Designer = 450;
constexpr int DesignerExpression = 460;
constexpr int DesignerPageSetup = 470;
constexpr int DesignerBand = 480;
constexpr int DesignerDialogPage = 490;
constexpr int About = 950;
constexpr int Administration = 960;
constexpr int CommandLine = 970;
constexpr int WhatsNew = 980;

} // namespace ergotab::HelpTopic
