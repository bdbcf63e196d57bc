#pragma once

// What a binary template of the earlier engine holds, as read and before any conversion:
// its own units (pixels, tenths of millimetres), Delphi colours and the raw bytes of texts
// whose code page is decided later. FrfReader fills it; FrfConverter turns it into our model
// and FrfInfo describes it as JSON.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ergotab::report::frf {

enum class Dialect {
    Fr22,           // FR 2.1/2.2: zero-terminated strings, no object names or scripts
    FreeReport2217, // version byte 23, but the FR 2.2 body with 32-bit string lengths
    Fr23,           // FR 2.3 and FreeReport 2.3x
    Fr24,           // FR 2.4x (2.47 among them): end offsets, page and dialog fields
    Fr25,           // FR 2.5x: as 2.4 plus the report information at the end
};

struct FrfHeader
{
    int versionByte = 0; // as stored; 0 for files from before the version byte existed
    int version = 21;    // the layout read
    Dialect dialect = Dialect::Fr23;
    bool printToDefault = false;
    bool doublePass = false;
    QString printerName;
    QString reportScript; // only builds that wrote a report-level script
};

struct FrfPage
{
    qint64 offset = 0;
    int paperSize = 9;     // Windows DMPAPER code: 9 A4, 8 A3, 11 A5, 1 Letter, 5 Legal, 256 custom
    int paperWidth = 2100; // tenths of a millimetre, in the page's orientation
    int paperHeight = 2970;
    int margins[4] = {0, 0, 0, 0}; // left, top, right, bottom in the engine's pixels
    bool landscape = false;
    int bin = -1;
    bool printToPreviousPage = false;
    bool useMargins = true;
    int columns = 1;
    int columnGap = 0;
    bool dialog = false;
    QString name;
    int borderStyle = 0;
    QString caption;
    quint32 color = 0x8000000F;
    int formLeft = 220, formTop = 120, formWidth = 380, formHeight = 300;
    bool centered = false;
    QStringList script;
};

// The fields every object starts with.
struct FrfCommon
{
    QString name;
    int hVersion = 0;
    int lVersion = 0;
    qint32 x = 0, y = 0, width = 0, height = 0; // pixels from the paper's corner
    quint16 flags = 0;
    quint16 frameType = 0; // frame sides; a band's type
    qint32 frameWidth = 1;
    quint32 frameColor = 0;
    quint16 frameStyle = 0;
    quint32 fillColor = 0x1FFFFFFF;
    quint32 format = 0;
    QString formatStr;
    QList<QByteArray> memo; // decoded later: a memo's charset decides its code page
    QStringList script;
    bool visible = true;
    quint16 restrictions = 0;
    QString tag;
    int gapX = 2, gapY = 1;
    int bandAlign = 0;

    int objectVersion() const { return hVersion * 10 + lVersion; }
};

struct FrfFont
{
    QString name;
    int size = 10;
    quint16 style = 0; // 1 italic, 2 bold, 4 underline, 8 strike-out
    quint32 color = 0;
    quint16 charset = 0;
};

struct FrfMemo
{
    FrfFont font;
    qint32 alignment = 0;
    quint16 highlightStyle = 0;
    quint32 highlightColor = 0;
    quint32 highlightFill = 0x1FFFFFFF;
    QString highlightCondition;
    int lineSpacing = 2;
    int charSpacing = 0;
};

struct FrfPicture
{
    int kind = 0; // 0 none, 1 BMP, 2 metafile, 3 icon, 4 JPEG, 5 GIF
    int blobType = 0;
    qint64 dataOffset = 0;
    QByteArray data;
};

struct FrfBand
{
    QString childBand;
    int columns = 1;
    int columnWidth = 200;
    int columnGap = 20;
    int newColumnAfter = 1;
    QString master;
};

struct FrfBarcode
{
    bool checksum = false;
    bool showText = true;
    int type = 0;
    int modul = 2;
    double ratio = 2.0;
    double angle = 0.0;
};

struct FrfRoundRect
{
    quint32 shadowColor = 0;
    int shadowWidth = 0; // -99: a gradient from shadowColor to the fill instead of a shadow
    bool roundCorners = true;
    int cornerSize = 0;
};

// A control of a dialog page (and the parts of the database components worth naming).
struct FrfControl
{
    quint32 color = 0x8000000F;
    bool enabled = true;
    FrfFont font;
    int alignment = 0;
    bool autoSize = false;
    bool wordWrap = false;
    QString text; // caption or text
    bool readOnly = false;
    bool checked = false;
    int modalResult = 0;
    QStringList items;
    int style = 0;
};

enum class ObjectType { Memo = 0, Picture = 1, Band = 2, Subreport = 3, Line = 4, AddIn = 10 };

struct FrfObject
{
    qint64 offset = 0;     // where the record's type byte stands
    qint64 endOffset = -1; // FR 2.4 and later: where the next record starts
    int type = 0;
    QString className; // add-ins only, as written
    int page = 0;
    FrfCommon common;
    std::optional<FrfMemo> memo; // memos, round rectangles and framed memos
    std::optional<FrfPicture> picture;
    std::optional<FrfBand> band;
    int subPage = -1;
    // Add-ins.
    int shapeType = 0;
    int checkStyle = 0;
    quint32 checkColor = 0;
    std::optional<FrfBarcode> barcode;
    std::optional<FrfRoundRect> roundRect;
    QByteArray rtf;
    std::optional<FrfControl> control;
    QString addInSummary;  // what a component we do not run was set to, for the warning
    bool addInRead = true; // false: skipped by its end offset (unknown or unreadable add-in)
};

struct FrfVariable
{
    QString name;
    QString value;
    QString category;
};

struct FrfFile
{
    FrfHeader header;
    std::vector<FrfPage> pages;
    std::vector<FrfObject> objects; // in file order
    std::vector<FrfVariable> variables;
    QStringList fieldAliases; // "real name=alias"
    QStringList dataSourceAliases;
    bool dataManager = false; // stopped at the data-manager block
    qint64 dataManagerOffset = -1;
    QStringList reportInfo; // FR 2.5: comment, name, author, version parts
    QStringList warnings;   // what the reader met that the stream alone tells
};

} // namespace ergotab::report::frf
