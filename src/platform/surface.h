// One drawing interface for everything that is drawn or printed: forms, picture boxes,
// the printer and, in tests, a recording surface. Positions are twips from the top-left
// corner unless a user scale is set (ScaleSet), in which case coordinates are in that scale;
// CurrentX/CurrentY follow the surface's current coordinate system. Text is placed with its
// top-left corner at the position. Line, Box, FilledBox and Point leave the position at
// their (last) end point.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quon {

// Colours are 0xRRGGBB (see platform/colors.h for the literals of the program).
using Rgb = std::uint32_t;

class Surface {
public:
  virtual ~Surface() = default;

  // Current print position.
  virtual double CurrentX() const = 0;
  virtual double CurrentY() const = 0;
  virtual void SetCurrentX(double x) = 0;
  virtual void SetCurrentY(double y) = 0;

  // Font and pen.
  virtual void SetFontName(const std::string &name) = 0;
  virtual std::string FontName() const = 0;
  virtual void SetFontSize(double points) = 0;
  virtual double FontSize() const = 0;
  virtual void SetFontBold(bool on) = 0;
  virtual bool FontBold() const = 0;
  virtual void SetFontUnderline(bool on) = 0;
  virtual bool FontUnderline() const = 0;
  virtual void SetForeColor(Rgb c) = 0;
  virtual Rgb ForeColor() const = 0;
  // Line width and point diameter in device pixels (15 twips on screen).
  virtual void SetDrawWidth(int pixels) = 0;
  virtual int DrawWidth() const = 0;

  // Prints text at the current position. With newline the position moves to the start of
  // the next line (X back to the left edge of the scale, 0 in twips; Y down by the text
  // height); without it the position stays on the line just after the text, for a
  // continued print.
  virtual void Print(const std::string &text, bool newline = true) = 0;

  virtual void Line(double x1, double y1, double x2, double y2, Rgb color) = 0;
  virtual void Box(double x1, double y1, double x2, double y2, Rgb color) = 0;
  virtual void FilledBox(double x1, double y1, double x2, double y2, Rgb color) = 0;
  virtual void Point(double x, double y, Rgb color) = 0;
  // Clears everything drawn (on a print job: the current page) and puts the position back
  // to the top-left corner.
  virtual void Clear() = 0;

  // Extent of a text in the current font, in the current coordinate system; under a scale
  // with a negative height TextHeight is negative too, so "y - TextHeight" is above y. The
  // height of an empty text is the height of a line.
  virtual double TextWidth(const std::string &text) const = 0;
  virtual double TextHeight(const std::string &text) const = 0;

  // User scale: (left, top) is the upper-left corner, width and height the extents; a
  // negative height makes y grow upwards. ScaleReset returns to twips.
  virtual void ScaleSet(double left, double top, double width, double height) = 0;
  virtual void ScaleReset() = 0;

  // Size of the drawing area in twips.
  virtual double ScaleWidthTwips() const = 0;
  virtual double ScaleHeightTwips() const = 0;
};

// Where an ended document went: saved as a file, or sent to a printer.
struct PrintDelivery {
  bool toFile = false;
  std::string where; // the file's path, or the printer's name
};

// A surface that is a print job: pages and the end of the document.
class PageSurface : public Surface {
public:
  // Starts a new page; the position goes back to the top-left corner.
  virtual void NewPage() = 0;
  // Ends the document; drawing after it starts a new document (a document with nothing
  // drawn on it is dropped). Returns false when the job failed (the reason in LastError()).
  virtual bool EndDoc() = 0;
  virtual std::string LastError() const = 0;
  // Drops the document begun: nothing of it is printed or saved.
  virtual void AbortDoc() = 0;
  // The documents this surface has delivered so far, in order; a document with nothing on
  // it, or one that failed or was dropped, is not among them.
  virtual const std::vector<PrintDelivery> &Deliveries() const = 0;

  // Page flow: once on, a text or shape (in twips, outside a user scale) whose top would
  // pass breakY starts a new page, and it and everything after it continue at continueY,
  // below the running heading when one is set. Positions the report sets stay its own:
  // the surface shifts them onto the page. breakY <= 0 turns the flow off.
  virtual void SetPageFlow(double breakY, double continueY) = 0;
  // What a page continued by the flow repeats at its top (a table's column headings):
  // drawn from continueY, it returns the position its own first row would have taken, where
  // the continued content goes on. An empty function ends the heading; EndDoc ends it too.
  using RunningHeading = std::function<double(PageSurface &)>;
  virtual void SetRunningHeading(RunningHeading heading) = 0;
  // A position the report set, as it falls on the current page.
  virtual double PageY(double y) const = 0;
};

// Thrown by a printer whose user cancelled the job; the job's runner aborts the document.
struct PrintCancelled : std::runtime_error {
  PrintCancelled() : std::runtime_error("the printout was cancelled") {}
};

} // namespace quon
