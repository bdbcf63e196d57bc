#pragma once

// Where the next band goes: the free space of the current column of the current page, and
// what to do with a band of a given height. Pure arithmetic, no drawing, so every rule of page
// breaking is tested on its own.
//
// A band that fits is placed. One that does not fit goes to the next column or page, unless it
// may be split, or it already stands at the top of an empty area: then it is split at the
// area's end, so a band taller than a page is cut into pages instead of moving on for ever.

namespace ergotab::report {

class PageBreaker
{
public:
    struct Geometry
    {
        double left = 10.0;    // of the first column
        double top = 10.0;     // where a page's bands begin
        double bottom = 287.0; // where the data area ends (page footer and column footer above it)
        double columnWidth = 190.0;
        double columnGap = 0.0;
        int columns = 1;
    };

    enum class Action {
        Place, // it fits
        Break, // go on in the next column or page, then ask again
        Split, // place the part of `splitAt` millimetres here, the rest after a break
    };
    struct Plan
    {
        Action action = Action::Place;
        double splitAt = 0.0;
        bool forced = false; // split only because the band can never fit: the caller warns
    };

    // The smallest piece of a splittable band worth starting at the foot of an area.
    static constexpr double minimumPiece = 3.0;

    explicit PageBreaker(Geometry geometry);

    const Geometry &geometry() const { return m_g; }

    // A new page: the first column, at the top.
    void startPage();
    // Everything placed so far in this area belongs to its headers; a band that does not fit
    // below them will not fit anywhere.
    void markAreaStart() { m_areaStart = m_y; }
    // The columns of the page begin here (below the page header and the report title).
    void markColumnsTop() { m_columnsTop = m_y; }

    Plan plan(double height, bool canSplit) const;
    // Places a band of `height` at the current position and returns its top.
    double place(double height);

    // True when another column of this page follows; it is then the current one, at the
    // columns' top. False when a new page is needed.
    bool nextColumn();

    double y() const { return m_y; }
    double remaining() const { return m_g.bottom - m_y; }
    bool atAreaStart() const;
    int column() const { return m_column; }
    double columnX() const;
    double areaHeight() const { return m_g.bottom - m_areaStart; }

private:
    Geometry m_g;
    double m_y = 0.0;
    double m_areaStart = 0.0;
    double m_columnsTop = 0.0;
    int m_column = 0;
};

} // namespace ergotab::report
