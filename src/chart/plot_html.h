#pragma once
// Chart texts in a small subset of HTML: measured and drawn on a chart canvas
// run by run, with a font stack and a style-tag stack shared by all calls.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/plot_geometry.h"

class TPlotCanvas;
class TGraphic;

// A "<" without a closing ">".
class HtmlParserException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Lays out and draws the text with its top-left pen position at (X, Y).
void DrawHtmlText(TPlotCanvas& Canvas, int X, int Y, const std::string& Text);
// Lays out the text at (0, 0) without drawing: the largest pen X and line height reached.
TSize MeasureHtmlText(TPlotCanvas& Canvas, const std::string& Text);

// Image services of <IMG>: a graphic for an upper-cased extension (with the
// dot) loaded from the fetched bytes, and the fetch of a source (0 on
// success). Both empty here, so images fall back to the placeholder.
using THtmlGraphicService =
    std::function<std::unique_ptr<TGraphic>(const std::string& Extension, const std::vector<std::uint8_t>& Data)>;
using THtmlFetchService = std::function<int(const std::string& Source, std::vector<std::uint8_t>& Data)>;
extern THtmlGraphicService HtmlGraphicService;
extern THtmlFetchService HtmlFetchService;

// Empties the two stacks (they otherwise live for the whole run).
void ClearHtmlStacks();
// Entries held by the two stacks.
std::size_t HtmlStackDepth();
