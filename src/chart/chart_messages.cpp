#include "chart/chart_messages.h"

#include <iterator>

std::string PlotMsgAxisLogBase;
std::string PlotMsgAxisLogDateTime;
std::string PlotMsgAxisLogNotPositive;
std::string PlotMsgAxisLabelSep;
std::string PlotMsgAxisIncrementNeg;
std::string PlotMsgAxisMinMax;
std::string PlotMsgAxisMaxMin;
std::string PlotMsgNoParentNoValidate;
std::string PlotMsgWrongDataSource;
std::string PlotMsgFillSample;
std::string PlotMsgSeriesDelete;
std::string PlotMsgCircularSeries;
std::string PlotMsgPointerSize;
std::string PlotMsgMaxPointsPerPage;
std::string PlotMsg3DPercent;
std::string PlotMsgFunctionPeriod;
std::string PlotMsgLegendFirstValue;
std::string PlotMsgExpAverageWeight;
std::string PlotMsgConfirmDelete;
std::string PlotMsgDefValueFormat;
std::string PlotMsgDefPercentFormat;
std::string PlotMsgOfs;
std::string PlotMsgOfsMultiLine;
std::string PlotMsgValuesX;
std::string PlotMsgValuesY;
std::string PlotMsgSeriesPrefix;
std::string PlotMsgNormal;
std::string PlotMsgText;
std::string PlotMsgSelectedSeries;
std::string PlotMsgDefaultFontName;
std::string PlotMsgDefaultFontSize;
std::string PlotMsgFilterBlur;
std::string PlotMsgFilterResize;
std::string PlotMsgFilterCrop;
std::string PlotMsgFilterInvert;
std::string PlotMsgFilterGrayScale;
std::string PlotMsgFilterMosaic;
std::string PlotMsgFilterFlip;
std::string PlotMsgFilterReverse;
std::string PlotMsgFilterBrightness;
std::string PlotMsgFilterColor;
std::string PlotMsgFilterHueLumSat;
std::string PlotMsgFilterSharpen;
std::string PlotMsgFilterGamma;
std::string PlotMsgFilterEmboss;
std::string PlotMsgFilterContrast;
std::string PlotMsgFilterSoften;
std::string PlotMsgFilterRotate;
std::string PlotMsgFilterMirror;
std::string PlotMsgFilterTile;
std::string PlotMsgFilterBevel;
std::string PlotMsgFilterZoom;
std::string PlotMsgCaptionWidth;
std::string PlotMsgCaptionHeight;
std::string PlotMsgCaptionLeft;
std::string PlotMsgCaptionTop;
std::string PlotMsgCaptionSmooth;
std::string PlotMsgCaptionPercent;
std::string PlotMsgCaptionBack;
std::string PlotMsgCaptionAutosize;
std::string PlotMsgCaptionColumns;
std::string PlotMsgCaptionRows;
std::string PlotMsgPaletteDefault;
std::string PlotMsgPaletteExcel;
std::string PlotMsgPaletteVictorian;
std::string PlotMsgPalettePastels;
std::string PlotMsgPaletteSolid;
std::string PlotMsgPaletteClassic;
std::string PlotMsgPaletteWeb;
std::string PlotMsgPaletteModern;
std::string PlotMsgPaletteRainbow;
std::string PlotMsgPaletteWinXP;
std::string PlotMsgPaletteMacOS;
std::string PlotMsgPaletteWinVista;
std::string PlotMsgPaletteGrayScale;
std::string PlotMsgPaletteOpera;
std::string PlotMsgPaletteWarm;
std::string PlotMsgPaletteCool;
std::string PlotMsgStyleStack;
std::string PlotMsgStyleStack100;
std::string PlotMsgStyleSelfStack;
std::string PlotMsgStyleBar;
std::string PlotMsgStyleLine;
std::string PlotMsgStyleNoBorder;
std::string PlotMsgStyleDotted;
std::string PlotMsgStyleColors;
std::string PlotMsgStyleMarks;
std::string PlotMsgStyleStairs;
std::string PlotMsgStylePoints;
std::string PlotMsgStyleHeight;
std::string PlotMsgStyleHollow;
std::string PlotMsgStylePoint2D;
std::string PlotMsgStyleTriangle;
std::string PlotMsgStyleStar;
std::string PlotMsgStyleCircle;
std::string PlotMsgStyleDownTri;
std::string PlotMsgStyleCross;
std::string PlotMsgStyleDiamond;
std::string PlotMsgStyleHexagon;
std::string PlotMsgStyleNoLines;
std::string PlotMsgStylePyramid;
std::string PlotMsgStyleEllipse;
std::string PlotMsgStyleInvPyramid;
std::string PlotMsgStyleSides;
std::string PlotMsgStyleSideAll;
std::string PlotMsgStyleGradient;
std::string PlotChartFileExtension;
std::string ProMsgStyleOutline;
std::string ProMsgStyleDate;
std::string ProMsgStyleOpen;
std::string ProMsgStyleHigh;
std::string ProMsgStyleLow;
std::string ProMsgStyleClose;
std::string ProMsgStyleNoOpen;
std::string ProMsgStyleNoClose;
std::string ProMsgStyleLines;
std::string ProMsgStyleOrigin;
std::string ProMsgStyleTransparency;
std::string ProMsgGalleryCategoryFinancial;
std::string ProMsgGalleryCategoryStats;
std::string ProMsgGalleryCategoryExtended;
std::string ProMsgGalleryCandle;
std::string ProMsgGalleryVolume;
std::string ProMsgGalleryDarvas;
std::string ProMsgGalleryADX;
std::string ProMsgGalleryRSI;
std::string ProMsgGalleryHistogram;
std::string ProMsgGalleryMomentum;
std::string ProMsgGalleryMomentumDivision;
std::string ProMsgGalleryExpAverage;
std::string ProMsgGalleryMovingAverage;
std::string ProMsgGalleryExpMovAverage;
std::string ProMsgGalleryStdDeviation;
std::string ProMsgGalleryBollinger;
std::string ProMsgGalleryRMS;
std::string ProMsgGalleryMACD;
std::string ProMsgGalleryStochastic;
std::string ProMsgGalleryCrossPoints;
std::string ProMsgGalleryPerformance;
std::string ProMsgGalleryVariance;
std::string ProMsgGalleryHorizHistogram;
std::string ProMsgGalleryPerimeter;
std::string ProMsgToolCursor;
std::string ProMsgToolCursorDesc;
std::string ProMsgToolDragMarks;
std::string ProMsgToolDragMarksDesc;
std::string ProMsgToolAxisArrows;
std::string ProMsgToolAxisArrowsDesc;
std::string ProMsgToolDrawLine;
std::string ProMsgToolDrawLineDesc;
std::string ProMsgToolNearestPoint;
std::string ProMsgToolNearestPointDesc;
std::string ProMsgToolColorBand;
std::string ProMsgToolColorBandDesc;
std::string ProMsgToolColorLine;
std::string ProMsgToolColorLineDesc;
std::string ProMsgToolRotate;
std::string ProMsgToolRotateDesc;
std::string ProMsgToolImage;
std::string ProMsgToolImageDesc;
std::string ProMsgToolMarkTips;
std::string ProMsgToolMarkTipsDesc;
std::string ProMsgToolAnnotation;
std::string ProMsgToolAnnotationDesc;
std::string ProMsgToolSeriesAnimation;
std::string ProMsgToolSeriesAnimationDesc;
std::string ProMsgToolGridBand;
std::string ProMsgToolGridBandDesc;
std::string ProMsgToolAxisScroll;
std::string ProMsgToolAxisScrollDesc;
std::string ProMsgToolRectangle;
std::string ProMsgToolRectangleDesc;
std::string ProMsgToolClipSeries;
std::string ProMsgToolClipSeriesDesc;
std::string ProMsgToolFullScreen;
std::string ProMsgToolFullScreenDesc;
std::array<std::string, 222> PlotConstOther;
std::array<std::string, 259> PlotProCoOther;

namespace {

// Three texts join a head, the chart-file extension and a tail.
constexpr TMessageText kPlotConstMessages[] = {
    {&PlotConstOther[0], "VeXA chart engine"},
    {&PlotMsgAxisLogBase, "Axis Logarithmic Base should be <> 1 and > 0"},
    {&PlotMsgAxisLogDateTime, "DateTime Axis cannot be Logarithmic"},
    {&PlotMsgAxisLogNotPositive, "Logarithmic Axis Min and Max values should be >= 0"},
    {&PlotMsgAxisLabelSep, "Labels Separation % must be greater than 0"},
    {&PlotMsgAxisIncrementNeg, "Axis increment must be >= 0"},
    {&PlotMsgAxisMinMax, "Axis Minimum Value must be <= Maximum"},
    {&PlotMsgAxisMaxMin, "Axis Maximum Value must be >= Minimum"},
    {&PlotMsgNoParentNoValidate, "No ParentChart to validate DataSource"},
    {&PlotMsgWrongDataSource, "No valid DataSource: %s"},
    {&PlotMsgFillSample, "FillSampleValues NumValues must be > 0"},
    {&PlotMsgSeriesDelete, "Series Delete: ValueIndex %d out of bounds (0 to %d)."},
    {&PlotMsgCircularSeries, "Circular Series dependences are not allowed"},
    {&PlotMsgPointerSize, "Pointer size must be greater than zero"},
    {&PlotMsgMaxPointsPerPage, "MaxPointsPerPage must be >= 0"},
    {&PlotMsg3DPercent, "3D effect percent must be between %d and %d"},
    {&PlotMsgFunctionPeriod, "Function Period should be >= 0"},
    {&PlotMsgLegendFirstValue, "First Legend Value must be > 0"},
    {&PlotMsgExpAverageWeight, "ExpAverage Weight must be between 0 and 1"},
    {&PlotMsgConfirmDelete, "Delete %s ?"},
    {&PlotMsgDefValueFormat, "#,##0.###"},
    {&PlotMsgDefPercentFormat, "##0.## %"},
    {&PlotMsgOfs, "%s of %s"},
    {&PlotMsgOfsMultiLine, "%s\rof %s"},
    {&PlotMsgValuesX, "X"},
    {&PlotMsgValuesY, "Y"},
    {&PlotMsgSeriesPrefix, "Series"},
    {&PlotMsgNormal, "Normal"},
    {&PlotMsgText, "Text"},
    {&PlotMsgSelectedSeries, "(Selected Series)"},
    {&PlotMsgDefaultFontName, "Arial"},
    {&PlotMsgDefaultFontSize, "8"},
    {&PlotMsgFilterBlur, "Blur"},
    {&PlotMsgFilterResize, "Resize"},
    {&PlotMsgFilterCrop, "Crop"},
    {&PlotMsgFilterInvert, "Invert"},
    {&PlotMsgFilterGrayScale, "Gray scale"},
    {&PlotMsgFilterMosaic, "Mosaic"},
    {&PlotMsgFilterFlip, "Flip"},
    {&PlotMsgFilterReverse, "Reverse"},
    {&PlotMsgFilterBrightness, "Brightness"},
    {&PlotMsgFilterColor, "Color"},
    {&PlotMsgFilterHueLumSat, "Hue,Lum,Sat"},
    {&PlotMsgFilterSharpen, "Sharpen"},
    {&PlotMsgFilterGamma, "Gamma correction"},
    {&PlotMsgFilterEmboss, "Emboss"},
    {&PlotMsgFilterContrast, "Contrast"},
    {&PlotMsgFilterSoften, "Antialias"},
    {&PlotMsgFilterRotate, "Rotate"},
    {&PlotMsgFilterMirror, "Mirror"},
    {&PlotMsgFilterTile, "Tile"},
    {&PlotMsgFilterBevel, "Bevel"},
    {&PlotMsgFilterZoom, "Zoom"},
    {&PlotMsgCaptionWidth, "Width"},
    {&PlotMsgCaptionHeight, "Height"},
    {&PlotMsgCaptionLeft, "Left"},
    {&PlotMsgCaptionTop, "Top"},
    {&PlotMsgCaptionSmooth, "Smooth"},
    {&PlotMsgCaptionPercent, "Percent"},
    {&PlotMsgCaptionBack, "Back"},
    {&PlotMsgCaptionAutosize, "Autosize"},
    {&PlotMsgCaptionColumns, "Columns"},
    {&PlotMsgCaptionRows, "Rows"},
    {&PlotMsgPaletteDefault, "Default"},
    {&PlotMsgPaletteExcel, "Excel"},
    {&PlotMsgPaletteVictorian, "Victorian"},
    {&PlotMsgPalettePastels, "Pastels"},
    {&PlotMsgPaletteSolid, "Solid"},
    {&PlotMsgPaletteClassic, "Classic"},
    {&PlotMsgPaletteWeb, "Web"},
    {&PlotMsgPaletteModern, "Modern"},
    {&PlotMsgPaletteRainbow, "Rainbow"},
    {&PlotMsgPaletteWinXP, "Win. XP"},
    {&PlotMsgPaletteMacOS, "Mac OS"},
    {&PlotMsgPaletteWinVista, "Win. Vista"},
    {&PlotMsgPaletteGrayScale, "Gray scale"},
    {&PlotMsgPaletteOpera, "Opera"},
    {&PlotMsgPaletteWarm, "Warm"},
    {&PlotMsgPaletteCool, "Cool"},
    {&PlotMsgStyleStack, "Stack"},
    {&PlotMsgStyleStack100, "Stack 100%"},
    {&PlotMsgStyleSelfStack, "Self Stacked"},
    {&PlotMsgStyleBar, "Bar"},
    {&PlotMsgStyleLine, "Line"},
    {&PlotMsgStyleNoBorder, "No Border"},
    {&PlotMsgStyleDotted, "Dotted"},
    {&PlotMsgStyleColors, "Colors"},
    {&PlotMsgStyleMarks, "Marks"},
    {&PlotMsgStyleStairs, "Stairs"},
    {&PlotMsgStylePoints, "Points"},
    {&PlotMsgStyleHeight, "Height"},
    {&PlotMsgStyleHollow, "Hollow"},
    {&PlotMsgStylePoint2D, "Point 2D"},
    {&PlotMsgStyleTriangle, "Triangle"},
    {&PlotMsgStyleStar, "Star"},
    {&PlotMsgStyleCircle, "Circle"},
    {&PlotMsgStyleDownTri, "Down Tri."},
    {&PlotMsgStyleCross, "Cross"},
    {&PlotMsgStyleDiamond, "Diamond"},
    {&PlotMsgStyleHexagon, "Hexagon"},
    {&PlotMsgStyleNoLines, "No Lines"},
    {&PlotMsgStylePyramid, "Pyramid"},
    {&PlotMsgStyleEllipse, "Ellipse"},
    {&PlotMsgStyleInvPyramid, "Inv. Pyramid"},
    {&PlotMsgStyleSides, "Sides"},
    {&PlotMsgStyleSideAll, "Side All"},
    {&PlotMsgStyleGradient, "Gradient"},
    {&PlotConstOther[1], "Edit 1"},
    {&PlotConstOther[2], "Print 1"},
    {&PlotConstOther[3], "Export 1"},
    {&PlotConstOther[4], "Preview 1"},
    {&PlotConstOther[5], "Gallery 1"},
    {&PlotConstOther[6], "Options 1"},
    {&PlotConstOther[7], "Series 1"},
    {&PlotConstOther[8], "Chart 1"},
    {&PlotConstOther[9], "Axis 1"},
    {&PlotConstOther[10], "Legend 1"},
    {&PlotConstOther[11], "Panel 1"},
    {&PlotConstOther[12], "Paging 1"},
    {&PlotConstOther[13], "Walls 1"},
    {&PlotConstOther[14], "Titles 1"},
    {&PlotConstOther[15], "Tools 1"},
    {&PlotConstOther[16], "Data 1"},
    {&PlotConstOther[17], "Format 1"},
    {&PlotConstOther[18], "Picture 1"},
    {&PlotConstOther[19], "Native 1"},
    {&PlotConstOther[20], "Template 1"},
    {&PlotConstOther[21], "Edit 2"},
    {&PlotConstOther[22], "Print 2"},
    {&PlotConstOther[23], "Export 2"},
    {&PlotConstOther[24], "Preview 2"},
    {&PlotConstOther[25], "Gallery 2"},
    {&PlotConstOther[26], "Options 2"},
    {&PlotConstOther[27], "Series 2"},
    {&PlotConstOther[28], "Chart 2"},
    {&PlotConstOther[29], "Axis 2"},
    {&PlotConstOther[30], "Legend 2"},
    {&PlotConstOther[31], "Panel 2"},
    {&PlotConstOther[32], "Paging 2"},
    {&PlotConstOther[33], "Walls 2"},
    {&PlotConstOther[34], "Titles 2"},
    {&PlotConstOther[35], "Tools 2"},
    {&PlotConstOther[36], "Data 2"},
    {&PlotConstOther[37], "Format 2"},
    {&PlotConstOther[38], "Picture 2"},
    {&PlotConstOther[39], "Native 2"},
    {&PlotConstOther[40], "Template 2"},
    {&PlotConstOther[41], "Small Dots"},
    {&PlotConstOther[42], "Chart files (*.", ")"},
    {&PlotConstOther[43], "Chart files with data (*.", ")"},
    {&PlotConstOther[44], "Chart template (*.", ")"},
    {&PlotConstOther[45], "Chart Axes"},
    {&PlotConstOther[46], "Edit 3"},
    {&PlotConstOther[47], "Print 3"},
    {&PlotConstOther[48], "Export 3"},
    {&PlotConstOther[49], "Preview 3"},
    {&PlotConstOther[50], "Gallery 3"},
    {&PlotConstOther[51], "Options 3"},
    {&PlotConstOther[52], "Series 3"},
    {&PlotConstOther[53], "Chart 3"},
    {&PlotConstOther[54], "Axis 3"},
    {&PlotConstOther[55], "Legend 3"},
    {&PlotConstOther[56], "Panel 3"},
    {&PlotConstOther[57], "Paging 3"},
    {&PlotConstOther[58], "Walls 3"},
    {&PlotConstOther[59], "Titles 3"},
    {&PlotConstOther[60], "Tools 3"},
    {&PlotConstOther[61], "Data 3"},
    {&PlotConstOther[62], "Format 3"},
    {&PlotConstOther[63], "Picture 3"},
    {&PlotConstOther[64], "Native 3"},
    {&PlotConstOther[65], "Template 3"},
    {&PlotConstOther[66], "Edit 4"},
    {&PlotConstOther[67], "Print 4"},
    {&PlotConstOther[68], "Export 4"},
    {&PlotConstOther[69], "Preview 4"},
    {&PlotConstOther[70], "Gallery 4"},
    {&PlotConstOther[71], "Options 4"},
    {&PlotConstOther[72], "Series 4"},
    {&PlotConstOther[73], "Chart 4"},
    {&PlotConstOther[74], "Axis 4"},
    {&PlotConstOther[75], "Legend 4"},
    {&PlotConstOther[76], "Panel 4"},
    {&PlotConstOther[77], "Paging 4"},
    {&PlotConstOther[78], "Walls 4"},
    {&PlotConstOther[79], "Titles 4"},
    {&PlotConstOther[80], "Tools 4"},
    {&PlotConstOther[81], "Data 4"},
    {&PlotConstOther[82], "Format 4"},
    {&PlotConstOther[83], "Picture 4"},
    {&PlotConstOther[84], "Native 4"},
    {&PlotConstOther[85], "Template 4"},
    {&PlotConstOther[86], "Edit 5"},
    {&PlotConstOther[87], "Print 5"},
    {&PlotConstOther[88], "Export 5"},
    {&PlotConstOther[89], "Preview 5"},
    {&PlotConstOther[90], "Gallery 5"},
    {&PlotConstOther[91], "Options 5"},
    {&PlotConstOther[92], "Series 5"},
    {&PlotConstOther[93], "Chart 5"},
    {&PlotConstOther[94], "Axis 5"},
    {&PlotConstOther[95], "Legend 5"},
    {&PlotConstOther[96], "Panel 5"},
    {&PlotConstOther[97], "Paging 5"},
    {&PlotConstOther[98], "Walls 5"},
    {&PlotConstOther[99], "Titles 5"},
    {&PlotConstOther[100], "Tools 5"},
    {&PlotConstOther[101], "Data 5"},
    {&PlotConstOther[102], "Format 5"},
    {&PlotConstOther[103], "Picture 5"},
    {&PlotConstOther[104], "Native 5"},
    {&PlotConstOther[105], "Template 5"},
    {&PlotConstOther[106], "Edit 6"},
    {&PlotConstOther[107], "Print 6"},
    {&PlotConstOther[108], "Export 6"},
    {&PlotConstOther[109], "Preview 6"},
    {&PlotConstOther[110], "Gallery 6"},
    {&PlotConstOther[111], "Options 6"},
    {&PlotConstOther[112], "Series 6"},
    {&PlotConstOther[113], "Chart 6"},
    {&PlotConstOther[114], "Axis 6"},
    {&PlotConstOther[115], "Legend 6"},
    {&PlotConstOther[116], "Panel 6"},
    {&PlotConstOther[117], "Paging 6"},
    {&PlotConstOther[118], "Walls 6"},
    {&PlotConstOther[119], "Titles 6"},
    {&PlotConstOther[120], "Tools 6"},
    {&PlotConstOther[121], "Data 6"},
    {&PlotConstOther[122], "Format 6"},
    {&PlotConstOther[123], "Picture 6"},
    {&PlotConstOther[124], "Native 6"},
    {&PlotConstOther[125], "Template 6"},
    {&PlotConstOther[126], "Edit 7"},
    {&PlotConstOther[127], "Print 7"},
    {&PlotConstOther[128], "Export 7"},
    {&PlotConstOther[129], "Preview 7"},
    {&PlotConstOther[130], "Gallery 7"},
    {&PlotConstOther[131], "Options 7"},
    {&PlotConstOther[132], "Series 7"},
    {&PlotConstOther[133], "Chart 7"},
    {&PlotConstOther[134], "Axis 7"},
    {&PlotConstOther[135], "Legend 7"},
    {&PlotConstOther[136], "Panel 7"},
    {&PlotConstOther[137], "Paging 7"},
    {&PlotConstOther[138], "Walls 7"},
    {&PlotConstOther[139], "Titles 7"},
    {&PlotConstOther[140], "Tools 7"},
    {&PlotConstOther[141], "Data 7"},
    {&PlotConstOther[142], "Format 7"},
    {&PlotConstOther[143], "Picture 7"},
    {&PlotConstOther[144], "Native 7"},
    {&PlotConstOther[145], "Template 7"},
    {&PlotConstOther[146], "Edit 8"},
    {&PlotConstOther[147], "Print 8"},
    {&PlotConstOther[148], "Export 8"},
    {&PlotConstOther[149], "Preview 8"},
    {&PlotConstOther[150], "Gallery 8"},
    {&PlotConstOther[151], "Options 8"},
    {&PlotConstOther[152], "Series 8"},
    {&PlotConstOther[153], "Chart 8"},
    {&PlotConstOther[154], "Axis 8"},
    {&PlotConstOther[155], "Legend 8"},
    {&PlotConstOther[156], "Panel 8"},
    {&PlotConstOther[157], "Paging 8"},
    {&PlotConstOther[158], "Walls 8"},
    {&PlotConstOther[159], "Titles 8"},
    {&PlotConstOther[160], "Tools 8"},
    {&PlotConstOther[161], "Data 8"},
    {&PlotConstOther[162], "Format 8"},
    {&PlotConstOther[163], "Picture 8"},
    {&PlotConstOther[164], "Native 8"},
    {&PlotConstOther[165], "Template 8"},
    {&PlotConstOther[166], "Edit 9"},
    {&PlotConstOther[167], "Print 9"},
    {&PlotConstOther[168], "Export 9"},
    {&PlotConstOther[169], "Preview 9"},
    {&PlotConstOther[170], "Gallery 9"},
    {&PlotConstOther[171], "Options 9"},
    {&PlotConstOther[172], "Series 9"},
    {&PlotConstOther[173], "Chart 9"},
    {&PlotConstOther[174], "Axis 9"},
    {&PlotConstOther[175], "Legend 9"},
    {&PlotConstOther[176], "Panel 9"},
    {&PlotConstOther[177], "Paging 9"},
    {&PlotConstOther[178], "Walls 9"},
    {&PlotConstOther[179], "Titles 9"},
    {&PlotConstOther[180], "Tools 9"},
    {&PlotConstOther[181], "Data 9"},
    {&PlotConstOther[182], "Format 9"},
    {&PlotConstOther[183], "Picture 9"},
    {&PlotConstOther[184], "Native 9"},
    {&PlotConstOther[185], "Template 9"},
    {&PlotConstOther[186], "Edit 10"},
    {&PlotConstOther[187], "Print 10"},
    {&PlotConstOther[188], "Export 10"},
    {&PlotConstOther[189], "Preview 10"},
    {&PlotConstOther[190], "Gallery 10"},
    {&PlotConstOther[191], "Options 10"},
    {&PlotConstOther[192], "Series 10"},
    {&PlotConstOther[193], "Chart 10"},
    {&PlotConstOther[194], "Axis 10"},
    {&PlotConstOther[195], "Legend 10"},
    {&PlotConstOther[196], "Panel 10"},
    {&PlotConstOther[197], "Paging 10"},
    {&PlotConstOther[198], "Walls 10"},
    {&PlotConstOther[199], "Titles 10"},
    {&PlotConstOther[200], "Tools 10"},
    {&PlotConstOther[201], "Data 10"},
    {&PlotConstOther[202], "Format 10"},
    {&PlotConstOther[203], "Picture 10"},
    {&PlotConstOther[204], "Native 10"},
    {&PlotConstOther[205], "Template 10"},
    {&PlotConstOther[206], "Edit 11"},
    {&PlotConstOther[207], "Print 11"},
    {&PlotConstOther[208], "Export 11"},
    {&PlotConstOther[209], "Preview 11"},
    {&PlotConstOther[210], "Gallery 11"},
    {&PlotConstOther[211], "Options 11"},
    {&PlotConstOther[212], "Series 11"},
    {&PlotConstOther[213], "Chart 11"},
    {&PlotConstOther[214], "Axis 11"},
    {&PlotConstOther[215], "Legend 11"},
    {&PlotConstOther[216], "Panel 11"},
    {&PlotConstOther[217], "Paging 11"},
    {&PlotConstOther[218], "Walls 11"},
    {&PlotConstOther[219], "Titles 11"},
    {&PlotConstOther[220], "Tools 11"},
    {&PlotConstOther[221], "Data 11"},
};

constexpr TMessageText kPlotProCoMessages[] = {
    {&ProMsgStyleOutline, "Outline"},
    {&ProMsgStyleDate, "Date"},
    {&ProMsgStyleOpen, "Open"},
    {&ProMsgStyleHigh, "High"},
    {&ProMsgStyleLow, "Low"},
    {&ProMsgStyleClose, "Close"},
    {&ProMsgStyleNoOpen, "No Open"},
    {&ProMsgStyleNoClose, "No Close"},
    {&ProMsgStyleLines, "Lines"},
    {&ProMsgStyleOrigin, "Origin"},
    {&ProMsgStyleTransparency, "Transparency"},
    {&ProMsgGalleryCategoryFinancial, "Financial"},
    {&ProMsgGalleryCategoryStats, "Stats"},
    {&ProMsgGalleryCategoryExtended, "Extended"},
    {&ProMsgGalleryCandle, "Candle"},
    {&ProMsgGalleryVolume, "Volume"},
    {&ProMsgGalleryDarvas, "Darvas"},
    {&ProMsgGalleryADX, "ADX"},
    {&ProMsgGalleryRSI, "R.S.I."},
    {&ProMsgGalleryHistogram, "Histogram"},
    {&ProMsgGalleryMomentum, "Momentum"},
    {&ProMsgGalleryMomentumDivision, "Momentum\rDivision"},
    {&ProMsgGalleryExpAverage, "Exponential\rAverage"},
    {&ProMsgGalleryMovingAverage, "Moving\rAverage"},
    {&ProMsgGalleryExpMovAverage, "Exp.Moving\rAverage"},
    {&ProMsgGalleryStdDeviation, "Standard\rDeviation"},
    {&ProMsgGalleryBollinger, "Bollinger\rbands"},
    {&ProMsgGalleryRMS, "Root Mean\rSquare"},
    {&ProMsgGalleryMACD, "MACD"},
    {&ProMsgGalleryStochastic, "Stochastic"},
    {&ProMsgGalleryCrossPoints, "Cross Points"},
    {&ProMsgGalleryPerformance, "Performance"},
    {&ProMsgGalleryVariance, "Variance"},
    {&ProMsgGalleryHorizHistogram, "Horizontal\rHistogram"},
    {&ProMsgGalleryPerimeter, "Perimeter"},
    {&ProMsgToolCursor, "Cursor"},
    {&ProMsgToolCursorDesc, "Displays draggable Cursor lines on top of Series."},
    {&ProMsgToolDragMarks, "Drag Marks"},
    {&ProMsgToolDragMarksDesc, "Moves Series marks when dragging them with mouse."},
    {&ProMsgToolAxisArrows, "Axis Arrows"},
    {&ProMsgToolAxisArrowsDesc, "Displays clickable arrows at axis start and ending points, to scroll axis."},
    {&ProMsgToolDrawLine, "Draw Line"},
    {&ProMsgToolDrawLineDesc, "Allows drawing custom lines by dragging the mouse."},
    {&ProMsgToolNearestPoint, "Nearest Point"},
    {&ProMsgToolNearestPointDesc, "Displays a graphical signal when the mouse is moving near a series point."},
    {&ProMsgToolColorBand, "Color Band"},
    {&ProMsgToolColorBandDesc, "Displays a coloured rectangle (band) at the specified axis and position."},
    {&ProMsgToolColorLine, "Color Line"},
    {&ProMsgToolColorLineDesc, "Displays a draggable line across axes."},
    {&ProMsgToolRotate, "Rotate"},
    {&ProMsgToolRotateDesc, "Allows rotating Chart dragging with mouse button."},
    {&ProMsgToolImage, "Image"},
    {&ProMsgToolImageDesc, "Displays a picture using the specified Series axes as boundaries. When the axis are zoomed or scrolled, the picture will follow the new boundaries."},
    {&ProMsgToolMarkTips, "Mark Tips"},
    {&ProMsgToolMarkTipsDesc, "Displays \"tips\" or \"hints\" when the end-user moves or clicks the mouse over a series point."},
    {&ProMsgToolAnnotation, "Annotation"},
    {&ProMsgToolAnnotationDesc, "Displays custom text at any location inside Chart."},
    {&ProMsgToolSeriesAnimation, "Series Animation"},
    {&ProMsgToolSeriesAnimationDesc, "Performs growing animation of Series points."},
    {&ProMsgToolGridBand, "Grid Band"},
    {&ProMsgToolGridBandDesc, "Grid Band tool, use it to display a coloured rectangles (bands) at the grid lines of the specified axis and position."},
    {&ProMsgToolAxisScroll, "Axis Scroll"},
    {&ProMsgToolAxisScrollDesc, "Allows the scrolling of Axes by mouse dragging"},
    {&ProMsgToolRectangle, "Rectangle"},
    {&ProMsgToolRectangleDesc, "Displays custom text at any location inside Chart within a resizable box."},
    {&ProMsgToolClipSeries, "Clip Series"},
    {&ProMsgToolClipSeriesDesc, "Restricts Series painting outside Series associated axes boundaries."},
    {&ProMsgToolFullScreen, "Full Screen"},
    {&ProMsgToolFullScreenDesc, "Show Chart maximized to full screen"},
    {&PlotProCoOther[0], "Extended 1"},
    {&PlotProCoOther[1], "Extended 2"},
    {&PlotProCoOther[2], "Extended 3"},
    {&PlotProCoOther[3], "Extended 4"},
    {&PlotProCoOther[4], "Extended 5"},
    {&PlotProCoOther[5], "Extended 6"},
    {&PlotProCoOther[6], "Extended 7"},
    {&PlotProCoOther[7], "Extended 8"},
    {&PlotProCoOther[8], "Extended 9"},
    {&PlotProCoOther[9], "Extended 10"},
    {&PlotProCoOther[10], "Extended 11"},
    {&PlotProCoOther[11], "Extended 12"},
    {&PlotProCoOther[12], "Extended 13"},
    {&PlotProCoOther[13], "Extended 14"},
    {&PlotProCoOther[14], "Extended 15"},
    {&PlotProCoOther[15], "Extended 16"},
    {&PlotProCoOther[16], "Extended 17"},
    {&PlotProCoOther[17], "Extended 18"},
    {&PlotProCoOther[18], "Extended 19"},
    {&PlotProCoOther[19], "Extended 20"},
    {&PlotProCoOther[20], "Extended 21"},
    {&PlotProCoOther[21], "Extended 22"},
    {&PlotProCoOther[22], "Extended 23"},
    {&PlotProCoOther[23], "Extended 24"},
    {&PlotProCoOther[24], "Extended 25"},
    {&PlotProCoOther[25], "Extended 26"},
    {&PlotProCoOther[26], "Extended 27"},
    {&PlotProCoOther[27], "Extended 28"},
    {&PlotProCoOther[28], "Extended 29"},
    {&PlotProCoOther[29], "Extended 30"},
    {&PlotProCoOther[30], "Extended 31"},
    {&PlotProCoOther[31], "Extended 32"},
    {&PlotProCoOther[32], "Extended 33"},
    {&PlotProCoOther[33], "Extended 34"},
    {&PlotProCoOther[34], "Extended 35"},
    {&PlotProCoOther[35], "Extended 36"},
    {&PlotProCoOther[36], "Extended 37"},
    {&PlotProCoOther[37], "Extended 38"},
    {&PlotProCoOther[38], "Extended 39"},
    {&PlotProCoOther[39], "Extended 40"},
    {&PlotProCoOther[40], "Extended 41"},
    {&PlotProCoOther[41], "Extended 42"},
    {&PlotProCoOther[42], "Extended 43"},
    {&PlotProCoOther[43], "Extended 44"},
    {&PlotProCoOther[44], "Extended 45"},
    {&PlotProCoOther[45], "Extended 46"},
    {&PlotProCoOther[46], "Extended 47"},
    {&PlotProCoOther[47], "Extended 48"},
    {&PlotProCoOther[48], "Extended 49"},
    {&PlotProCoOther[49], "Extended 50"},
    {&PlotProCoOther[50], "Extended 51"},
    {&PlotProCoOther[51], "Extended 52"},
    {&PlotProCoOther[52], "Extended 53"},
    {&PlotProCoOther[53], "Extended 54"},
    {&PlotProCoOther[54], "Extended 55"},
    {&PlotProCoOther[55], "Extended 56"},
    {&PlotProCoOther[56], "Extended 57"},
    {&PlotProCoOther[57], "Extended 58"},
    {&PlotProCoOther[58], "Extended 59"},
    {&PlotProCoOther[59], "Extended 60"},
    {&PlotProCoOther[60], "Extended 61"},
    {&PlotProCoOther[61], "Extended 62"},
    {&PlotProCoOther[62], "Extended 63"},
    {&PlotProCoOther[63], "Extended 64"},
    {&PlotProCoOther[64], "Extended 65"},
    {&PlotProCoOther[65], "Extended 66"},
    {&PlotProCoOther[66], "Extended 67"},
    {&PlotProCoOther[67], "Extended 68"},
    {&PlotProCoOther[68], "Extended 69"},
    {&PlotProCoOther[69], "Extended 70"},
    {&PlotProCoOther[70], "Extended 71"},
    {&PlotProCoOther[71], "Extended 72"},
    {&PlotProCoOther[72], "Extended 73"},
    {&PlotProCoOther[73], "Extended 74"},
    {&PlotProCoOther[74], "Extended 75"},
    {&PlotProCoOther[75], "Extended 76"},
    {&PlotProCoOther[76], "Extended 77"},
    {&PlotProCoOther[77], "Extended 78"},
    {&PlotProCoOther[78], "Extended 79"},
    {&PlotProCoOther[79], "Extended 80"},
    {&PlotProCoOther[80], "Extended 81"},
    {&PlotProCoOther[81], "Extended 82"},
    {&PlotProCoOther[82], "Extended 83"},
    {&PlotProCoOther[83], "Extended 84"},
    {&PlotProCoOther[84], "Extended 85"},
    {&PlotProCoOther[85], "Extended 86"},
    {&PlotProCoOther[86], "Extended 87"},
    {&PlotProCoOther[87], "Extended 88"},
    {&PlotProCoOther[88], "Extended 89"},
    {&PlotProCoOther[89], "Extended 90"},
    {&PlotProCoOther[90], "Extended 91"},
    {&PlotProCoOther[91], "Extended 92"},
    {&PlotProCoOther[92], "Extended 93"},
    {&PlotProCoOther[93], "Extended 94"},
    {&PlotProCoOther[94], "Extended 95"},
    {&PlotProCoOther[95], "Extended 96"},
    {&PlotProCoOther[96], "Extended 97"},
    {&PlotProCoOther[97], "Extended 98"},
    {&PlotProCoOther[98], "Extended 99"},
    {&PlotProCoOther[99], "Extended 100"},
    {&PlotProCoOther[100], "Extended 101"},
    {&PlotProCoOther[101], "Extended 102"},
    {&PlotProCoOther[102], "Extended 103"},
    {&PlotProCoOther[103], "Extended 104"},
    {&PlotProCoOther[104], "Extended 105"},
    {&PlotProCoOther[105], "Extended 106"},
    {&PlotProCoOther[106], "Extended 107"},
    {&PlotProCoOther[107], "Extended 108"},
    {&PlotProCoOther[108], "Extended 109"},
    {&PlotProCoOther[109], "Extended 110"},
    {&PlotProCoOther[110], "Extended 111"},
    {&PlotProCoOther[111], "Extended 112"},
    {&PlotProCoOther[112], "Extended 113"},
    {&PlotProCoOther[113], "Extended 114"},
    {&PlotProCoOther[114], "Extended 115"},
    {&PlotProCoOther[115], "Extended 116"},
    {&PlotProCoOther[116], "Extended 117"},
    {&PlotProCoOther[117], "Extended 118"},
    {&PlotProCoOther[118], "Extended 119"},
    {&PlotProCoOther[119], "Extended 120"},
    {&PlotProCoOther[120], "Extended 121"},
    {&PlotProCoOther[121], "Extended 122"},
    {&PlotProCoOther[122], "Extended 123"},
    {&PlotProCoOther[123], "Extended 124"},
    {&PlotProCoOther[124], "Extended 125"},
    {&PlotProCoOther[125], "Extended 126"},
    {&PlotProCoOther[126], "Extended 127"},
    {&PlotProCoOther[127], "Extended 128"},
    {&PlotProCoOther[128], "Extended 129"},
    {&PlotProCoOther[129], "Extended 130"},
    {&PlotProCoOther[130], "Extended 131"},
    {&PlotProCoOther[131], "Extended 132"},
    {&PlotProCoOther[132], "Extended 133"},
    {&PlotProCoOther[133], "Extended 134"},
    {&PlotProCoOther[134], "Extended 135"},
    {&PlotProCoOther[135], "Extended 136"},
    {&PlotProCoOther[136], "Extended 137"},
    {&PlotProCoOther[137], "Extended 138"},
    {&PlotProCoOther[138], "Extended 139"},
    {&PlotProCoOther[139], "Extended 140"},
    {&PlotProCoOther[140], "Extended 141"},
    {&PlotProCoOther[141], "Extended 142"},
    {&PlotProCoOther[142], "Extended 143"},
    {&PlotProCoOther[143], "Extended 144"},
    {&PlotProCoOther[144], "Extended 145"},
    {&PlotProCoOther[145], "Extended 146"},
    {&PlotProCoOther[146], "Extended 147"},
    {&PlotProCoOther[147], "Extended 148"},
    {&PlotProCoOther[148], "Extended 149"},
    {&PlotProCoOther[149], "Extended 150"},
    {&PlotProCoOther[150], "Extended 151"},
    {&PlotProCoOther[151], "Extended 152"},
    {&PlotProCoOther[152], "Extended 153"},
    {&PlotProCoOther[153], "Extended 154"},
    {&PlotProCoOther[154], "Extended 155"},
    {&PlotProCoOther[155], "Extended 156"},
    {&PlotProCoOther[156], "Extended 157"},
    {&PlotProCoOther[157], "Extended 158"},
    {&PlotProCoOther[158], "Extended 159"},
    {&PlotProCoOther[159], "Extended 160"},
    {&PlotProCoOther[160], "Extended 161"},
    {&PlotProCoOther[161], "Extended 162"},
    {&PlotProCoOther[162], "Extended 163"},
    {&PlotProCoOther[163], "Extended 164"},
    {&PlotProCoOther[164], "Extended 165"},
    {&PlotProCoOther[165], "Extended 166"},
    {&PlotProCoOther[166], "Extended 167"},
    {&PlotProCoOther[167], "Extended 168"},
    {&PlotProCoOther[168], "Extended 169"},
    {&PlotProCoOther[169], "Extended 170"},
    {&PlotProCoOther[170], "Extended 171"},
    {&PlotProCoOther[171], "Extended 172"},
    {&PlotProCoOther[172], "Extended 173"},
    {&PlotProCoOther[173], "Extended 174"},
    {&PlotProCoOther[174], "Extended 175"},
    {&PlotProCoOther[175], "Extended 176"},
    {&PlotProCoOther[176], "Extended 177"},
    {&PlotProCoOther[177], "Extended 178"},
    {&PlotProCoOther[178], "Extended 179"},
    {&PlotProCoOther[179], "Extended 180"},
    {&PlotProCoOther[180], "Extended 181"},
    {&PlotProCoOther[181], "Extended 182"},
    {&PlotProCoOther[182], "Extended 183"},
    {&PlotProCoOther[183], "Extended 184"},
    {&PlotProCoOther[184], "Extended 185"},
    {&PlotProCoOther[185], "Extended 186"},
    {&PlotProCoOther[186], "Extended 187"},
    {&PlotProCoOther[187], "Extended 188"},
    {&PlotProCoOther[188], "Extended 189"},
    {&PlotProCoOther[189], "Extended 190"},
    {&PlotProCoOther[190], "Extended 191"},
    {&PlotProCoOther[191], "Extended 192"},
    {&PlotProCoOther[192], "Extended 193"},
    {&PlotProCoOther[193], "Extended 194"},
    {&PlotProCoOther[194], "Extended 195"},
    {&PlotProCoOther[195], "Extended 196"},
    {&PlotProCoOther[196], "Extended 197"},
    {&PlotProCoOther[197], "Extended 198"},
    {&PlotProCoOther[198], "Extended 199"},
    {&PlotProCoOther[199], "Extended 200"},
    {&PlotProCoOther[200], "Extended 201"},
    {&PlotProCoOther[201], "Extended 202"},
    {&PlotProCoOther[202], "Extended 203"},
    {&PlotProCoOther[203], "Extended 204"},
    {&PlotProCoOther[204], "Extended 205"},
    {&PlotProCoOther[205], "Extended 206"},
    {&PlotProCoOther[206], "Extended 207"},
    {&PlotProCoOther[207], "Extended 208"},
    {&PlotProCoOther[208], "Extended 209"},
    {&PlotProCoOther[209], "Extended 210"},
    {&PlotProCoOther[210], "Extended 211"},
    {&PlotProCoOther[211], "Extended 212"},
    {&PlotProCoOther[212], "Extended 213"},
    {&PlotProCoOther[213], "Extended 214"},
    {&PlotProCoOther[214], "Extended 215"},
    {&PlotProCoOther[215], "Extended 216"},
    {&PlotProCoOther[216], "Extended 217"},
    {&PlotProCoOther[217], "Extended 218"},
    {&PlotProCoOther[218], "Extended 219"},
    {&PlotProCoOther[219], "Extended 220"},
    {&PlotProCoOther[220], "Extended 221"},
    {&PlotProCoOther[221], "Extended 222"},
    {&PlotProCoOther[222], "Extended 223"},
    {&PlotProCoOther[223], "Extended 224"},
    {&PlotProCoOther[224], "Extended 225"},
    {&PlotProCoOther[225], "Extended 226"},
    {&PlotProCoOther[226], "Extended 227"},
    {&PlotProCoOther[227], "Extended 228"},
    {&PlotProCoOther[228], "Extended 229"},
    {&PlotProCoOther[229], "Extended 230"},
    {&PlotProCoOther[230], "Extended 231"},
    {&PlotProCoOther[231], "Extended 232"},
    {&PlotProCoOther[232], "Extended 233"},
    {&PlotProCoOther[233], "Extended 234"},
    {&PlotProCoOther[234], "Extended 235"},
    {&PlotProCoOther[235], "Extended 236"},
    {&PlotProCoOther[236], "Extended 237"},
    {&PlotProCoOther[237], "Extended 238"},
    {&PlotProCoOther[238], "Extended 239"},
    {&PlotProCoOther[239], "Extended 240"},
    {&PlotProCoOther[240], "Extended 241"},
    {&PlotProCoOther[241], "Extended 242"},
    {&PlotProCoOther[242], "Extended 243"},
    {&PlotProCoOther[243], "Extended 244"},
    {&PlotProCoOther[244], "Extended 245"},
    {&PlotProCoOther[245], "Extended 246"},
    {&PlotProCoOther[246], "Extended 247"},
    {&PlotProCoOther[247], "Extended 248"},
    {&PlotProCoOther[248], "Extended 249"},
    {&PlotProCoOther[249], "Extended 250"},
    {&PlotProCoOther[250], "Extended 251"},
    {&PlotProCoOther[251], "Extended 252"},
    {&PlotProCoOther[252], "Extended 253"},
    {&PlotProCoOther[253], "Extended 254"},
    {&PlotProCoOther[254], "Extended 255"},
    {&PlotProCoOther[255], "Extended 256"},
    {&PlotProCoOther[256], "Extended 257"},
    {&PlotProCoOther[257], "Extended 258"},
    {&PlotProCoOther[258], "Extended 259"},
};

static_assert(std::size(kPlotConstMessages) == PlotConstTextCount);
static_assert(std::size(kPlotProCoMessages) == PlotProCoTextCount);

void SetTexts(std::span<const TMessageText> table)
{
    for (const TMessageText& m : table) {
        if (m.Tail)
            *m.Variable = m.Text + PlotChartFileExtension + m.Tail;
        else
            *m.Variable = m.Text;
    }
}

void ClearTexts(std::span<const TMessageText> table)
{
    for (const TMessageText& m : table)
        m.Variable->clear();
}

}  // namespace

std::span<const TMessageText> PlotConstMessages()
{
    return kPlotConstMessages;
}

std::span<const TMessageText> PlotProCoMessages()
{
    return kPlotProCoMessages;
}

void SetPlotConstTexts()
{
    PlotChartFileExtension = "vxc";
    SetTexts(kPlotConstMessages);
}

void ClearPlotConstTexts()
{
    PlotChartFileExtension.clear();
    ClearTexts(kPlotConstMessages);
}

void SetPlotProCoTexts()
{
    SetTexts(kPlotProCoMessages);
}

void ClearPlotProCoTexts()
{
    ClearTexts(kPlotProCoMessages);
}
