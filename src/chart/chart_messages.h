#pragma once
// Message texts of the chart engine: one global string per text, filled when the
// engine starts and emptied when it stops. Code reads the variables at each use.
#include <array>
#include <cstddef>
#include <span>
#include <string>

// Core texts, in table order (the first and the unused ones are kept in PlotConstOther).
extern std::string PlotMsgAxisLogBase;
extern std::string PlotMsgAxisLogDateTime;
extern std::string PlotMsgAxisLogNotPositive;
extern std::string PlotMsgAxisLabelSep;
extern std::string PlotMsgAxisIncrementNeg;
extern std::string PlotMsgAxisMinMax;
extern std::string PlotMsgAxisMaxMin;
extern std::string PlotMsgNoParentNoValidate;
extern std::string PlotMsgWrongDataSource;
extern std::string PlotMsgFillSample;
extern std::string PlotMsgSeriesDelete;
extern std::string PlotMsgCircularSeries;
extern std::string PlotMsgPointerSize;
extern std::string PlotMsgMaxPointsPerPage;
extern std::string PlotMsg3DPercent;
extern std::string PlotMsgFunctionPeriod;
extern std::string PlotMsgLegendFirstValue;
extern std::string PlotMsgExpAverageWeight;
extern std::string PlotMsgConfirmDelete;
extern std::string PlotMsgDefValueFormat;
extern std::string PlotMsgDefPercentFormat;
extern std::string PlotMsgOfs;
extern std::string PlotMsgOfsMultiLine;
extern std::string PlotMsgValuesX;
extern std::string PlotMsgValuesY;
extern std::string PlotMsgSeriesPrefix;
extern std::string PlotMsgNormal;
extern std::string PlotMsgText;
extern std::string PlotMsgSelectedSeries;
extern std::string PlotMsgDefaultFontName;
extern std::string PlotMsgDefaultFontSize;
extern std::string PlotMsgFilterBlur;
extern std::string PlotMsgFilterResize;
extern std::string PlotMsgFilterCrop;
extern std::string PlotMsgFilterInvert;
extern std::string PlotMsgFilterGrayScale;
extern std::string PlotMsgFilterMosaic;
extern std::string PlotMsgFilterFlip;
extern std::string PlotMsgFilterReverse;
extern std::string PlotMsgFilterBrightness;
extern std::string PlotMsgFilterColor;
extern std::string PlotMsgFilterHueLumSat;
extern std::string PlotMsgFilterSharpen;
extern std::string PlotMsgFilterGamma;
extern std::string PlotMsgFilterEmboss;
extern std::string PlotMsgFilterContrast;
extern std::string PlotMsgFilterSoften;
extern std::string PlotMsgFilterRotate;
extern std::string PlotMsgFilterMirror;
extern std::string PlotMsgFilterTile;
extern std::string PlotMsgFilterBevel;
extern std::string PlotMsgFilterZoom;
extern std::string PlotMsgCaptionWidth;
extern std::string PlotMsgCaptionHeight;
extern std::string PlotMsgCaptionLeft;
extern std::string PlotMsgCaptionTop;
extern std::string PlotMsgCaptionSmooth;
extern std::string PlotMsgCaptionPercent;
extern std::string PlotMsgCaptionBack;
extern std::string PlotMsgCaptionAutosize;
extern std::string PlotMsgCaptionColumns;
extern std::string PlotMsgCaptionRows;
extern std::string PlotMsgPaletteDefault;
extern std::string PlotMsgPaletteExcel;
extern std::string PlotMsgPaletteVictorian;
extern std::string PlotMsgPalettePastels;
extern std::string PlotMsgPaletteSolid;
extern std::string PlotMsgPaletteClassic;
extern std::string PlotMsgPaletteWeb;
extern std::string PlotMsgPaletteModern;
extern std::string PlotMsgPaletteRainbow;
extern std::string PlotMsgPaletteWinXP;
extern std::string PlotMsgPaletteMacOS;
extern std::string PlotMsgPaletteWinVista;
extern std::string PlotMsgPaletteGrayScale;
extern std::string PlotMsgPaletteOpera;
extern std::string PlotMsgPaletteWarm;
extern std::string PlotMsgPaletteCool;
extern std::string PlotMsgStyleStack;
extern std::string PlotMsgStyleStack100;
extern std::string PlotMsgStyleSelfStack;
extern std::string PlotMsgStyleBar;
extern std::string PlotMsgStyleLine;
extern std::string PlotMsgStyleNoBorder;
extern std::string PlotMsgStyleDotted;
extern std::string PlotMsgStyleColors;
extern std::string PlotMsgStyleMarks;
extern std::string PlotMsgStyleStairs;
extern std::string PlotMsgStylePoints;
extern std::string PlotMsgStyleHeight;
extern std::string PlotMsgStyleHollow;
extern std::string PlotMsgStylePoint2D;
extern std::string PlotMsgStyleTriangle;
extern std::string PlotMsgStyleStar;
extern std::string PlotMsgStyleCircle;
extern std::string PlotMsgStyleDownTri;
extern std::string PlotMsgStyleCross;
extern std::string PlotMsgStyleDiamond;
extern std::string PlotMsgStyleHexagon;
extern std::string PlotMsgStyleNoLines;
extern std::string PlotMsgStylePyramid;
extern std::string PlotMsgStyleEllipse;
extern std::string PlotMsgStyleInvPyramid;
extern std::string PlotMsgStyleSides;
extern std::string PlotMsgStyleSideAll;
extern std::string PlotMsgStyleGradient;

// Extension constant of the engine's chart files (joined into three file-filter texts).
extern std::string PlotChartFileExtension;

// Texts of the extended series, functions and tools, in table order.
extern std::string ProMsgStyleOutline;
extern std::string ProMsgStyleDate;
extern std::string ProMsgStyleOpen;
extern std::string ProMsgStyleHigh;
extern std::string ProMsgStyleLow;
extern std::string ProMsgStyleClose;
extern std::string ProMsgStyleNoOpen;
extern std::string ProMsgStyleNoClose;
extern std::string ProMsgStyleLines;
extern std::string ProMsgStyleOrigin;
extern std::string ProMsgStyleTransparency;
extern std::string ProMsgGalleryCategoryFinancial;
extern std::string ProMsgGalleryCategoryStats;
extern std::string ProMsgGalleryCategoryExtended;
extern std::string ProMsgGalleryCandle;
extern std::string ProMsgGalleryVolume;
extern std::string ProMsgGalleryDarvas;
extern std::string ProMsgGalleryADX;
extern std::string ProMsgGalleryRSI;
extern std::string ProMsgGalleryHistogram;
extern std::string ProMsgGalleryMomentum;
extern std::string ProMsgGalleryMomentumDivision;
extern std::string ProMsgGalleryExpAverage;
extern std::string ProMsgGalleryMovingAverage;
extern std::string ProMsgGalleryExpMovAverage;
extern std::string ProMsgGalleryStdDeviation;
extern std::string ProMsgGalleryBollinger;
extern std::string ProMsgGalleryRMS;
extern std::string ProMsgGalleryMACD;
extern std::string ProMsgGalleryStochastic;
extern std::string ProMsgGalleryCrossPoints;
extern std::string ProMsgGalleryPerformance;
extern std::string ProMsgGalleryVariance;
extern std::string ProMsgGalleryHorizHistogram;
extern std::string ProMsgGalleryPerimeter;
extern std::string ProMsgToolCursor;
extern std::string ProMsgToolCursorDesc;
extern std::string ProMsgToolDragMarks;
extern std::string ProMsgToolDragMarksDesc;
extern std::string ProMsgToolAxisArrows;
extern std::string ProMsgToolAxisArrowsDesc;
extern std::string ProMsgToolDrawLine;
extern std::string ProMsgToolDrawLineDesc;
extern std::string ProMsgToolNearestPoint;
extern std::string ProMsgToolNearestPointDesc;
extern std::string ProMsgToolColorBand;
extern std::string ProMsgToolColorBandDesc;
extern std::string ProMsgToolColorLine;
extern std::string ProMsgToolColorLineDesc;
extern std::string ProMsgToolRotate;
extern std::string ProMsgToolRotateDesc;
extern std::string ProMsgToolImage;
extern std::string ProMsgToolImageDesc;
extern std::string ProMsgToolMarkTips;
extern std::string ProMsgToolMarkTipsDesc;
extern std::string ProMsgToolAnnotation;
extern std::string ProMsgToolAnnotationDesc;
extern std::string ProMsgToolSeriesAnimation;
extern std::string ProMsgToolSeriesAnimationDesc;
extern std::string ProMsgToolGridBand;
extern std::string ProMsgToolGridBandDesc;
extern std::string ProMsgToolAxisScroll;
extern std::string ProMsgToolAxisScrollDesc;
extern std::string ProMsgToolRectangle;
extern std::string ProMsgToolRectangleDesc;
extern std::string ProMsgToolClipSeries;
extern std::string ProMsgToolClipSeriesDesc;
extern std::string ProMsgToolFullScreen;
extern std::string ProMsgToolFullScreenDesc;

constexpr std::size_t PlotConstTextCount = 328;
constexpr std::size_t PlotProCoTextCount = 328;

// Texts read by no code of the program (editor captions and the like).
extern std::array<std::string, 222> PlotConstOther;
extern std::array<std::string, 259> PlotProCoOther;

// One message of a table: its variable and its text. With a Tail the text is
// Text, the chart-file extension and Tail joined.
struct TMessageText {
    std::string* Variable;
    const char* Text;
    const char* Tail = nullptr;
};

// The messages of each table in table order.
std::span<const TMessageText> PlotConstMessages();
std::span<const TMessageText> PlotProCoMessages();

// Fill every text of a table (engine start-up) or empty it (shut-down), in table order.
void SetPlotConstTexts();
void ClearPlotConstTexts();
void SetPlotProCoTexts();
void ClearPlotProCoTexts();
