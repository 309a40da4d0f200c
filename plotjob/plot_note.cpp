#include "plotjob/plot_note.h"

#include <QtGlobal>
#include <algorithm>
#include <ostream>

namespace {

struct NoteWords {
    NoteId id;
    const char* key;
    const char* source;  // the words, %1, %2 ... standing for the values (context TPlotNotes)
};

constexpr NoteWords kNoteWords[] = {
    {NoteId::RasterImagesSkipped, "RasterImagesSkipped",
     QT_TRANSLATE_NOOP("TPlotNotes", "raster images skipped")},
    {NoteId::ImagesSkipped, "ImagesSkipped", QT_TRANSLATE_NOOP("TPlotNotes", "images skipped")},
    {NoteId::EmbeddedNonSVGContent, "EmbeddedNonSVGContent",
     QT_TRANSLATE_NOOP("TPlotNotes", "embedded non-SVG content (foreignObject) skipped")},
    {NoteId::ExternalStyleSheetsSkipped, "ExternalStyleSheetsSkipped",
     QT_TRANSLATE_NOOP("TPlotNotes", "external style sheets skipped")},
    {NoteId::ExternalEntitiesSkipped, "ExternalEntitiesSkipped",
     QT_TRANSLATE_NOOP("TPlotNotes", "external entities skipped")},
    {NoteId::ClipPathsAppliedClipped, "ClipPathsAppliedClipped",
     QT_TRANSLATE_NOOP("TPlotNotes", "clip paths not applied: clipped shapes are plotted whole")},
    {NoteId::MasksAppliedMaskedShapes, "MasksAppliedMaskedShapes",
     QT_TRANSLATE_NOOP("TPlotNotes", "masks not applied: masked shapes are plotted whole")},
    {NoteId::FiltersSkippedFilteredShapes, "FiltersSkippedFilteredShapes",
     QT_TRANSLATE_NOOP("TPlotNotes", "filters skipped: filtered shapes are plotted without them")},
    {NoteId::TextPathTextPathSkipped, "TextPathTextPathSkipped",
     QT_TRANSLATE_NOOP("TPlotNotes", "text on a path (textPath) skipped")},
    {NoteId::FlowedTextFlowRootShape, "FlowedTextFlowRootShape",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "flowed text (flowRoot, shape-inside) skipped or not wrapped")},
    {NoteId::PointsInvalidNonFinite, "PointsInvalidNonFinite",
     QT_TRANSLATE_NOOP("TPlotNotes", "points with invalid (non-finite) coordinates skipped")},
    {NoteId::PartsQtSVGReader, "PartsQtSVGReader",
     QT_TRANSLATE_NOOP("TPlotNotes", "parts Qt's SVG reader does not support were skipped (%1)")},
    {NoteId::ShadingsColourGradientsSkipped, "ShadingsColourGradientsSkipped",
     QT_TRANSLATE_NOOP("TPlotNotes", "shadings (colour gradients) skipped")},
    {NoteId::SoftMasksTransparencyUsed, "SoftMasksTransparencyUsed",
     QT_TRANSLATE_NOOP("TPlotNotes", "soft masks (transparency used as a mask) skipped")},
    {NoteId::PDFReaderFoundFaults, "PDFReaderFoundFaults",
     QT_TRANSLATE_NOOP("TPlotNotes", "the PDF reader found faults: %1")},
    {NoteId::DXFGivesUnitINSUNITS, "DXFGivesUnitINSUNITS",
     QT_TRANSLATE_NOOP("TPlotNotes", "the DXF gives no unit ($INSUNITS): read as millimetres")},
    {NoteId::DxfUnitKnownRead, "DxfUnitKnownRead",
     QT_TRANSLATE_NOOP("TPlotNotes", "the DXF's unit (%1) is not known: read as millimetres")},
    {NoteId::BlockInsertedButDefined, "BlockInsertedButDefined",
     QT_TRANSLATE_NOOP("TPlotNotes", "block \"%1\" is inserted but not defined: skipped")},
    {NoteId::CoordinatesSizesNumbersNan, "CoordinatesSizesNumbersNan",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "coordinates or sizes that are not numbers (nan, inf): their entities skipped")},
    {NoteId::EntitiesNumbersOutRange, "EntitiesNumbersOutRange",
     QT_TRANSLATE_NOOP("TPlotNotes", "entities with numbers out of range skipped")},
    {NoteId::TextsCommentsLongerCharacters, "TextsCommentsLongerCharacters",
     QT_TRANSLATE_NOOP("TPlotNotes", "texts or comments longer than %1 characters cut")},
    {NoteId::CountsLargerWhatFollows, "CountsLargerWhatFollows",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "counts larger than what follows them (vertices, knots, control points) lowered")},
    {NoteId::SplinesWhoseNumbersDonot, "SplinesWhoseNumbersDonot",
     QT_TRANSLATE_NOOP("TPlotNotes", "splines whose numbers don't add up skipped")},
    {NoteId::OnPage, "OnPage", QT_TRANSLATE_NOOP("TPlotNotes", "page %1: %2")},
    {NoteId::DrawingReachesBeyondPrintable, "DrawingReachesBeyondPrintable",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the drawing reaches beyond the printable area by %1; it is clipped there, not scaled")},
    {NoteId::MmOnTheLeft, "MmOnTheLeft", QT_TRANSLATE_NOOP("TPlotNotes", "%1 mm on the left")},
    {NoteId::MmAtTheTop, "MmAtTheTop", QT_TRANSLATE_NOOP("TPlotNotes", "%1 mm at the top")},
    {NoteId::MmOnTheRight, "MmOnTheRight", QT_TRANSLATE_NOOP("TPlotNotes", "%1 mm on the right")},
    {NoteId::MmAtTheBottom, "MmAtTheBottom",
     QT_TRANSLATE_NOOP("TPlotNotes", "%1 mm at the bottom")},
    {NoteId::DrawingReachesMmBeyond, "DrawingReachesMmBeyond",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the drawing reaches %1 mm beyond the roll length (%2 mm); it is clipped "
                       "there (Auto split plots it in panels)")},
    {NoteId::PagesOutsideRangeNotSent, "PagesOutsideRangeNotSent",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "pages %1 of %2 are outside the page range %3 set in Trazen Plotter Settings; not sent")},
    {NoteId::PageOutsideRangeNotSent, "PageOutsideRangeNotSent",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "page %1 of %2 is outside the page range %3 set in Trazen Plotter Settings; not sent")},
    {NoteId::PanelsOutsideRangeNotSent, "PanelsOutsideRangeNotSent",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "panels %1 of %2 are outside the page range %3 set in Trazen Plotter Settings; not sent")},
    {NoteId::PanelOutsideRangeNotSent, "PanelOutsideRangeNotSent",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "panel %1 of %2 is outside the page range %3 set in Trazen Plotter Settings; not sent")},
    {NoteId::PagesOutsideRangeNotConverted, "PagesOutsideRangeNotConverted",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "pages %1 of %2 are outside the page range %3 set in Trazen Plotter "
                       "Settings; not converted")},
    {NoteId::PageOutsideRangeNotConverted, "PageOutsideRangeNotConverted",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "page %1 of %2 is outside the page range %3 set in Trazen Plotter Settings; "
                       "not converted")},
    {NoteId::PanelsOutsideRangeNotConverted, "PanelsOutsideRangeNotConverted",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "panels %1 of %2 are outside the page range %3 set in Trazen Plotter "
                       "Settings; not converted")},
    {NoteId::PanelOutsideRangeNotConverted, "PanelOutsideRangeNotConverted",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "panel %1 of %2 is outside the page range %3 set in Trazen Plotter "
                       "Settings; not converted")},
    {NoteId::DrawingHasMorePoints, "DrawingHasMorePoints",
     QT_TRANSLATE_NOOP("TPlotNotes", "the drawing has more than %1 points to plot")},
    {NoteId::RollLengthMmCuts, "RollLengthMmCuts",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the roll length (%1 mm) cuts the drawing into %2 panels, more than %3")},
    {NoteId::RollLengthMmCutsPages, "RollLengthMmCutsPages",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the roll length (%1 mm) cuts the pages into more than %2 panels")},
    {NoteId::PlotBodyUnwritable, "PlotBodyUnwritable",
     QT_TRANSLATE_NOOP("TPlotNotes", "the plot body can't be written")},
    {NoteId::PageRangeSelectsPages, "PageRangeSelectsPages",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the page range selects %1 pages of the document, more than the %2 plotted "
                       "at once: set First page and Last page in TRZNSerConfig")},
    {NoteId::NothingPagesPageRange, "NothingPagesPageRange",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "nothing of the pages of the page range lies within the roll length (%1 mm)")},
    {NoteId::PagePageRangeHas, "PagePageRangeHas",
     QT_TRANSLATE_NOOP("TPlotNotes", "no page of the page range has a visible shape to plot")},
    {NoteId::NothingDrawingLiesWithin, "NothingDrawingLiesWithin",
     QT_TRANSLATE_NOOP("TPlotNotes", "nothing of the drawing lies within the roll length (%1 mm)")},
    {NoteId::DrawingCutIntoPanels, "DrawingCutIntoPanels",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the drawing is cut into %1 panels along the roll, and there is one body to write")},
    {NoteId::PageSettingsLeavePrintable, "PageSettingsLeavePrintable",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the page settings leave no printable area (margins cover the paper)")},
    {NoteId::DrawingReachesBeyondPrintableArea, "DrawingReachesBeyondPrintableArea",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the drawing reaches beyond the printable area (left %1 mm, top %2 mm, "
                       "right %3 mm, bottom %4 mm); that part is not plotted")},
    {NoteId::DrawingReachesMmBeyondRoll, "DrawingReachesMmBeyondRoll",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the drawing reaches %1 mm beyond the roll length (%2 mm); that part is not plotted")},
    {NoteId::PageBeyondPagesPlotted, "PageBeyondPagesPlotted",
     QT_TRANSLATE_NOOP("TPlotNotes", "page %1 is beyond the %2 pages plotted from one document")},
    {NoteId::SVGDrawingQtRead, "SVGDrawingQtRead",
     QT_TRANSLATE_NOOP("TPlotNotes", "not an SVG drawing Qt can read: %1")},
    {NoteId::QtSVGReaderRefused, "QtSVGReaderRefused",
     QT_TRANSLATE_NOOP("TPlotNotes", "Qt's SVG reader refused it")},
    {NoteId::GhostscriptMadeNothingReadable, "GhostscriptMadeNothingReadable",
     QT_TRANSLATE_NOOP("TPlotNotes", "ghostscript made nothing readable of the PostScript: %1")},
    {NoteId::CompressedDrawingCannotUnpacked, "CompressedDrawingCannotUnpacked",
     QT_TRANSLATE_NOOP("TPlotNotes", "the compressed drawing can't be unpacked (zlib)")},
    {NoteId::CompressedDrawingUnpacksMore, "CompressedDrawingUnpacksMore",
     QT_TRANSLATE_NOOP("TPlotNotes", "the compressed drawing unpacks to more than %1 MB")},
    {NoteId::CompressedDrawingDamagedSVGZ, "CompressedDrawingDamagedSVGZ",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the compressed drawing is damaged (SVGZ data cut short or corrupt)")},
    {NoteId::CannotOpenDrawing, "CannotOpenDrawing",
     QT_TRANSLATE_NOOP("TPlotNotes", "can't open the drawing: %1")},
    {NoteId::DrawingPlainFile, "DrawingPlainFile",
     QT_TRANSLATE_NOOP("TPlotNotes", "the drawing is not a plain file")},
    {NoteId::DrawingLargerMB, "DrawingLargerMB",
     QT_TRANSLATE_NOOP("TPlotNotes", "the drawing is larger than %1 MB")},
    {NoteId::CannotReadDrawing, "CannotReadDrawing",
     QT_TRANSLATE_NOOP("TPlotNotes", "can't read the drawing: %1")},
    {NoteId::SVGDrawingElement, "SVGDrawingElement",
     QT_TRANSLATE_NOOP("TPlotNotes", "not an SVG drawing (no element in it)")},
    {NoteId::SVGDrawingXML, "SVGDrawingXML",
     QT_TRANSLATE_NOOP("TPlotNotes", "not an SVG drawing (not XML)")},
    {NoteId::SVGDrawingFirstElement, "SVGDrawingFirstElement",
     QT_TRANSLATE_NOOP("TPlotNotes", "not an SVG drawing (its first element is <%1>)")},
    {NoteId::WellFormedXMLLine, "WellFormedXMLLine",
     QT_TRANSLATE_NOOP("TPlotNotes", "not well-formed XML at line %1, column %2: %3")},
    {NoteId::DrawingEntitiesExpandBeyond, "DrawingEntitiesExpandBeyond",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the drawing's entities expand beyond what is read safely (line %1, column %2)")},
    {NoteId::DrawingUseElementsRefer, "DrawingUseElementsRefer",
     QT_TRANSLATE_NOOP("TPlotNotes", "the drawing's <use> elements refer to themselves")},
    {NoteId::TextPathTextPathSkippedInkscape, "TextPathTextPathSkippedInkscape",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "text on a path (textPath) skipped: Inkscape, which sets it along its path, "
                       "is not installed")},
    {NoteId::TextPathTextPathSkippedInkscapeCould, "TextPathTextPathSkippedInkscapeCould",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "text on a path (textPath) skipped: Inkscape could not set it along its path")},
    {NoteId::PatternFillsTilesLeft, "PatternFillsTilesLeft",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "pattern fills' tiles left out: the filled shapes are plotted as their outlines")},
    {NoteId::MasksHoldShapePicture, "MasksHoldShapePicture",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "masks that hold no shape (a picture, a gradient) not applied: masked "
                       "shapes are plotted whole")},
    {NoteId::ClipPathRefersItself, "ClipPathRefersItself",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the clip path #%1 refers to itself (directly or round a cycle): what it "
                       "clips may be drawn unclipped or left out")},
    {NoteId::MaskRefersItselfDirectly, "MaskRefersItselfDirectly",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the mask #%1 refers to itself (directly or round a cycle): what it masks "
                       "may be drawn unmasked or left out")},
    {NoteId::MarkerRefersItselfDirectly, "MarkerRefersItselfDirectly",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the marker #%1 refers to itself (directly or round a cycle): it may be "
                       "drawn without the markers it holds or left out")},
    {NoteId::PatternRefersItselfDirectly, "PatternRefersItselfDirectly",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the pattern #%1 refers to itself (directly or round a cycle): what it "
                       "fills may be drawn without it or left out")},
    {NoteId::DrawingUseElementsMultiply, "DrawingUseElementsMultiply",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the drawing's <use> elements multiply into more than %1 elements")},
    {NoteId::DrawingHasMoreElements, "DrawingHasMoreElements",
     QT_TRANSLATE_NOOP("TPlotNotes", "the drawing has more than %1 elements")},
    {NoteId::DrawingNestsMoreLevels, "DrawingNestsMoreLevels",
     QT_TRANSLATE_NOOP("TPlotNotes", "the drawing nests more than %1 levels deep")},
    {NoteId::PenHasNegativeThickness, "PenHasNegativeThickness",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "pen %1 has a negative thickness (%2 mm): set it to 0 for outlines only, or "
                       "to the pen's line width")},
    {NoteId::HatchingFillsThesePen, "HatchingFillsThesePen",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "hatching the fills with these pen widths needs more points than a plot "
                       "holds; give the pens their real widths, or 0 for outlines only")},
    {NoteId::HatchingFillsThesePenWidths, "HatchingFillsThesePenWidths",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "hatching the fills with these pen widths needs more than %1 lines; give "
                       "the pens their real widths, or 0 for outlines only")},
    {NoteId::NoReasonGiven, "NoReasonGiven", QT_TRANSLATE_NOOP("TPlotNotes", "no reason given")},
    {NoteId::NoTemporaryFolderForGhostscript, "NoTemporaryFolderForGhostscript",
     QT_TRANSLATE_NOOP("TPlotNotes", "can't make a temporary folder for ghostscript")},
    {NoteId::CannotCopyPostScriptFor, "CannotCopyPostScriptFor",
     QT_TRANSLATE_NOOP("TPlotNotes", "can't copy the PostScript for ghostscript: %1")},
    {NoteId::GhostscriptGsCannotStarted, "GhostscriptGsCannotStarted",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "ghostscript (gs) can't be started to read the PostScript: %1")},
    {NoteId::PostScriptStillRanAfter, "PostScriptStillRanAfter",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the PostScript still ran after %1 s and was stopped (a program that never ends?)")},
    {NoteId::PostScriptMakesMoreMB, "PostScriptMakesMoreMB",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the PostScript makes more than %1 MB of drawing and was stopped")},
    {NoteId::PostScriptMakesMoreMBDrawing, "PostScriptMakesMoreMBDrawing",
     QT_TRANSLATE_NOOP("TPlotNotes", "the PostScript makes more than %1 MB of drawing")},
    {NoteId::GhostscriptCannotReadPostScript, "GhostscriptCannotReadPostScript",
     QT_TRANSLATE_NOOP("TPlotNotes", "ghostscript can't read the PostScript: %1")},
    {NoteId::GhostscriptMadePDFPostScript, "GhostscriptMadePDFPostScript",
     QT_TRANSLATE_NOOP("TPlotNotes", "ghostscript made no PDF of the PostScript (%1)")},
    {NoteId::PDFPageMakesMore, "PDFPageMakesMore",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the PDF page makes more than %1 drawing operations (its forms, drawn "
                       "within each other, multiply them)")},
    {NoteId::FormXObjectPDFDraws, "FormXObjectPDFDraws",
     QT_TRANSLATE_NOOP("TPlotNotes", "a form (XObject) of the PDF draws itself")},
    {NoteId::PdfFormsXObjectsDrawn, "PdfFormsXObjectsDrawn",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the PDF's forms (XObjects) are drawn within each other more than %1 deep")},
    {NoteId::ContentStreamPDFUnpacks, "ContentStreamPDFUnpacks",
     QT_TRANSLATE_NOOP("TPlotNotes", "a content stream of the PDF unpacks to more than %1 MB")},
    {NoteId::PDFDocumentPagesCannot, "PDFDocumentPagesCannot",
     QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document's pages can't be told apart safely")},
    {NoteId::PDFDocumentCannotRead, "PDFDocumentCannotRead",
     QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document can't be read safely: %1")},
    {NoteId::PDFDocumentCannotReadSafely, "PDFDocumentCannotReadSafely",
     QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document can't be read safely")},
    {NoteId::PDFDocumentCutOff, "PDFDocumentCutOff",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the PDF document is cut off (it has no end); save or send it again")},
    {NoteId::PDFDocumentProtectedPassword, "PDFDocumentProtectedPassword",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the PDF document is protected by a password: open it in a PDF reader and "
                       "save a copy without a password")},
    {NoteId::PdfHasPagesNoPage, "PdfHasPagesNoPage",
     QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document has %1 pages, no page %2")},
    {NoteId::PdfHasOnePageNoPage, "PdfHasOnePageNoPage",
     QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document has %1 page, no page %2")},
    {NoteId::PagePDFDocumentCannot, "PagePDFDocumentCannot",
     QT_TRANSLATE_NOOP("TPlotNotes", "page %1 of the PDF document can't be read")},
    {NoteId::PagePDFDocumentCannotPainted, "PagePDFDocumentCannotPainted",
     QT_TRANSLATE_NOOP("TPlotNotes", "page %1 of the PDF document can't be painted")},
    {NoteId::PageHoldsOnlyPictures, "PageHoldsOnlyPictures",
     QT_TRANSLATE_NOOP("TPlotNotes", "the page holds only pictures (images), no lines to plot")},
    {NoteId::LinetypesDrawingTableDrawn, "LinetypesDrawingTableDrawn",
     QT_TRANSLATE_NOOP("TPlotNotes", "linetypes not in the drawing's table drawn solid: %1")},
    {NoteId::TextsShapesLinetypesLeft, "TextsShapesLinetypesLeft",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the texts and shapes of linetypes left out, their dashes drawn: %1")},
    {NoteId::LinetypesLengthDrawnSolid, "LinetypesLengthDrawnSolid",
     QT_TRANSLATE_NOOP("TPlotNotes", "linetypes of no length drawn solid: %1")},
    {NoteId::LinetypesWhoseDashesFiner, "LinetypesWhoseDashesFiner",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "linetypes whose dashes are finer than the plotter draws drawn solid: %1")},
    {NoteId::LinesLinetypesWouldCut, "LinesLinetypesWouldCut",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "lines that linetypes would cut into more than %1 dashes drawn solid: %2")},
    {NoteId::PictureDimensionBlockDefined, "PictureDimensionBlockDefined",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the picture of a dimension, block \"%1\", is not defined: the dimension is skipped")},
    {NoteId::RadialAngularOrdinateDimensions, "RadialAngularOrdinateDimensions",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "radial, angular and ordinate dimensions without a picture (block) skipped")},
    {NoteId::PaperSpaceLayoutsLeft, "PaperSpaceLayoutsLeft",
     QT_TRANSLATE_NOOP("TPlotNotes", "paper space (layouts) left out: the model space is plotted")},
    {NoteId::CirclesArcsEllipsesSolids, "CirclesArcsEllipsesSolids",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "circles, arcs, ellipses and solids of no size (radius, axis, axis ratio or "
                       "area 0 or less) skipped")},
    {NoteId::BinaryDXFReadSave, "BinaryDXFReadSave",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "a binary DXF is not read: save the drawing as a text (ASCII) DXF")},
    {NoteId::DxfNotReadable, "DxfNotReadable",
     QT_TRANSLATE_NOOP("TPlotNotes", "not a DXF drawing dxflib can read")},
    {NoteId::DxfNotReadableWhy, "DxfNotReadableWhy",
     QT_TRANSLATE_NOOP("TPlotNotes", "not a DXF drawing dxflib can read (%1)")},
    {NoteId::LineDXFLongerCharacters, "LineDXFLongerCharacters",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "line %1 of the DXF is longer than %2 characters and is not a text")},
    {NoteId::WeedingFrameToolOne, "WeedingFrameToolOne",
     QT_TRANSLATE_NOOP("TPlotNotes", "the weeding frame's tool %1 is not one of the pens 1 to %2")},
    {NoteId::WeedingFrameMarginsK, "WeedingFrameMarginsK",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the weeding frame's margins (K margin) must not be negative")},
    {NoteId::PerforationToolOnePens, "PerforationToolOnePens",
     QT_TRANSLATE_NOOP("TPlotNotes", "the perforation's tool %1 is not one of the pens 1 to %2")},
    {NoteId::PerforationPressuresMustNegative, "PerforationPressuresMustNegative",
     QT_TRANSLATE_NOOP("TPlotNotes", "the perforation's pressures must not be negative")},
    {NoteId::PerforationCutSkipLengths, "PerforationCutSkipLengths",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the perforation's cut and skip lengths must both be above 0: the lines of "
                       "pen %1 are cut whole")},
    {NoteId::PlotterUnitStepsPer, "PlotterUnitStepsPer",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the plotter unit %1 steps per inch is not one a plotter moves in (%2 to "
                       "%3, or 0 for 1016)")},
    {NoteId::KnifeSettingsOutRange, "KnifeSettingsOutRange",
     QT_TRANSLATE_NOOP("TPlotNotes", "the knife settings are out of range")},
    {NoteId::WeedingFrameReachesBeyond, "WeedingFrameReachesBeyond",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the weeding frame reaches beyond the printable area; it is cut along its edge")},
    {NoteId::RollLengthNegativePoints, "RollLengthNegativePoints",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the roll length is negative (%1 points); set it in TRZNSerConfig (0 for no limit)")},
    {NoteId::PageRangeFirstPage, "PageRangeFirstPage",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the page range (first page %1, last page %2) is upside down; set it in TRZNSerConfig")},
    {NoteId::PageRangeFirstPageLast, "PageRangeFirstPageLast",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the page range (first page %1, last page %2) selects none of the drawing's "
                       "one page; set it in TRZNSerConfig")},
    {NoteId::PageRangeFirstPageLastPage, "PageRangeFirstPageLastPage",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the page range (first page %1, last page %2) selects none of the drawing's "
                       "%3 panels along the roll; set it in TRZNSerConfig")},
    {NoteId::KnifeSettingsCannotRead, "KnifeSettingsCannotRead",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the knife settings %1 can't be read: press OK in TRZNSerConfig to write them again")},
    {NoteId::KnifeSettingsTooLong, "KnifeSettingsTooLong",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the knife settings %1 are too long to be knife settings: press OK in "
                       "TRZNSerConfig to write them again")},
    {NoteId::KnifeSettingsCannotReadLine, "KnifeSettingsCannotReadLine",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the knife settings %1 can't be read at line %2: press OK in TRZNSerConfig "
                       "to write them again")},
    {NoteId::KnifeSettingsHavePress, "KnifeSettingsHavePress",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the knife settings %1 have no %2: press OK in TRZNSerConfig to write them again")},
    {NoteId::KnifeSettingsHoldKey, "KnifeSettingsHoldKey",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the knife settings %1 hold a key that is not a knife setting: press OK in "
                       "TRZNSerConfig to write them again")},
    {NoteId::KnifeSettingsSayKnife, "KnifeSettingsSayKnife",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the knife settings %1 say knife.use %2: press OK in TRZNSerConfig to write them again")},
    {NoteId::KnifeSettingsGiveOutside, "KnifeSettingsGiveOutside",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the knife settings %1 give %2 %3, outside %4 to %5: press OK in "
                       "TRZNSerConfig to write them again")},
    {NoteId::HeaderCannotSent, "HeaderCannotSent",
     QT_TRANSLATE_NOOP("TPlotNotes", "the header can't be sent: %1")},
    {NoteId::FooterCannotSent, "FooterCannotSent",
     QT_TRANSLATE_NOOP("TPlotNotes", "the footer can't be sent: %1")},
    {NoteId::TextShiftJIS, "TextShiftJIS",
     QT_TRANSLATE_NOOP("TPlotNotes", "text that is not Shift-JIS")},
    {NoteId::XWithoutTwoHexadecimal, "XWithoutTwoHexadecimal",
     QT_TRANSLATE_NOOP("TPlotNotes", "\\x without two hexadecimal digits")},
    {NoteId::BackslashNoneER, "BackslashNoneER",
     QT_TRANSLATE_NOOP("TPlotNotes", "a backslash that is none of \\e \\r \\n \\\\ \\xNN")},
    {NoteId::DrawingBlocksMultiplyInto, "DrawingBlocksMultiplyInto",
     QT_TRANSLATE_NOOP("TPlotNotes", "the drawing's blocks multiply into more than %1 entities")},
    {NoteId::BlockInsertsItself, "BlockInsertsItself",
     QT_TRANSLATE_NOOP("TPlotNotes", "the block \"%1\" inserts itself")},
    {NoteId::BlocksInsertedIntoBlocks, "BlocksInsertedIntoBlocks",
     QT_TRANSLATE_NOOP("TPlotNotes", "blocks are inserted into blocks more than %1 deep")},
    {NoteId::InsertRepeatsBlockTimes, "InsertRepeatsBlockTimes",
     QT_TRANSLATE_NOOP("TPlotNotes", "an insert repeats a block %1 times")},
    {NoteId::DashedLineCutInto, "DashedLineCutInto",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "a dashed line is cut into more dashes than a plot holds (its dashes are "
                       "too short for its length); draw it without dashes, or with longer ones")},
    {NoteId::DashPatternsLengthNegative, "DashPatternsLengthNegative",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "dash patterns of no length or with negative dashes drawn as solid lines")},
    {NoteId::SVGDrawingLibrsvgRead, "SVGDrawingLibrsvgRead",
     QT_TRANSLATE_NOOP("TPlotNotes", "not an SVG drawing librsvg can read: %1")},
    {NoteId::LibrsvgCouldRead, "LibrsvgCouldRead",
     QT_TRANSLATE_NOOP("TPlotNotes", "librsvg could not read it")},
    {NoteId::LibrsvgCouldPaint, "LibrsvgCouldPaint",
     QT_TRANSLATE_NOOP("TPlotNotes", "librsvg could not paint it")},
    {NoteId::DrawingReachesBeyondCanvas, "DrawingReachesBeyondCanvas",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the drawing reaches beyond its canvas (%1); that part is not plotted")},
    {NoteId::CannotMakeTemporaryFolderIn, "CannotMakeTemporaryFolderIn",
     QT_TRANSLATE_NOOP("TPlotNotes", "cannot make a temporary folder in %1: %2")},
    {NoteId::CannotLockTemporaryFolder, "CannotLockTemporaryFolder",
     QT_TRANSLATE_NOOP("TPlotNotes", "cannot lock a temporary folder in %1")},
    {NoteId::CannotWritePlotBodyTo, "CannotWritePlotBodyTo",
     QT_TRANSLATE_NOOP("TPlotNotes", "cannot write the plot body to %1: %2")},
    {NoteId::CannotWritePlotBodyFile, "CannotWritePlotBodyFile",
     QT_TRANSLATE_NOOP("TPlotNotes", "cannot write the plot body %1: %2")},
    {NoteId::CannotWriteFile, "CannotWriteFile",
     QT_TRANSLATE_NOOP("TPlotNotes", "cannot write %1: %2")},
    {NoteId::NoProductFolder, "NoProductFolder",
     QT_TRANSLATE_NOOP("TPlotNotes", "no product folder")},
    {NoteId::AtByteOf, "AtByteOf", QT_TRANSLATE_NOOP("TPlotNotes", "%1 at byte %2 of \"%3\"")},
    {NoteId::NoVisibleShape, "NoVisibleShape",
     QT_TRANSLATE_NOOP("TPlotNotes", "the drawing has no visible shape to plot")},
    {NoteId::NothingDrawingLiesPrintable, "NothingDrawingLiesPrintable",
     QT_TRANSLATE_NOOP("TPlotNotes", "nothing of the drawing lies on the printable area")},
    {NoteId::PdfHasNoPage, "PdfHasNoPage",
     QT_TRANSLATE_NOOP("TPlotNotes", "the PDF document has no page")},
    {NoteId::PDFDocumentPopplerRead, "PDFDocumentPopplerRead",
     QT_TRANSLATE_NOOP("TPlotNotes", "not a PDF document poppler can read (damaged)")},
    {NoteId::PageOfPages, "PageOfPages", QT_TRANSLATE_NOOP("TPlotNotes", "page %1 of %2")},
    {NoteId::PanelOfPanels, "PanelOfPanels", QT_TRANSLATE_NOOP("TPlotNotes", "panel %1 of %2")},
    {NoteId::PageWasNotSent, "PageWasNotSent",
     QT_TRANSLATE_NOOP("TPlotNotes", "page %1 of %2 was not sent")},
    {NoteId::PagesWasNotSent, "PagesWasNotSent",
     QT_TRANSLATE_NOOP("TPlotNotes", "pages %1 of %2 were not sent")},
    {NoteId::PanelWasNotSent, "PanelWasNotSent",
     QT_TRANSLATE_NOOP("TPlotNotes", "panel %1 of %2 was not sent")},
    {NoteId::PanelsWasNotSent, "PanelsWasNotSent",
     QT_TRANSLATE_NOOP("TPlotNotes", "panels %1 of %2 were not sent")},
    {NoteId::PlotWouldLargerMB, "PlotWouldLargerMB",
     QT_TRANSLATE_NOOP("TPlotNotes", "the plot would be larger than %1 MB: %2")},
    {NoteId::DrawingHasManyLines, "DrawingHasManyLines",
     QT_TRANSLATE_NOOP("TPlotNotes", "the drawing has that many lines to plot; plot part of it")},
    {NoteId::PerforationCutsLinesInto, "PerforationCutsLinesInto",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the perforation (%1) cuts the lines into that many pieces; set longer cut "
                       "and skip lengths")},
    {NoteId::DragKnifeSwingsCorners, "DragKnifeSwingsCorners",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the drag knife's swings at the corners multiply the lines; plot part of the drawing")},
    {NoteId::PenCutMmSkip, "PenCutMmSkip",
     QT_TRANSLATE_NOOP("TPlotNotes", "pen %1, cut %2 mm, skip %3 mm")},
    {NoteId::LineTooLongPerforated, "LineTooLongPerforated",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "a line is too long to be perforated as set (%1): it would be cut into more "
                       "than %2 pieces; set longer cut and skip lengths")},
    {NoteId::PlotBodyUnwritableWhy, "PlotBodyUnwritableWhy",
     QT_TRANSLATE_NOOP("TPlotNotes", "the plot body can't be written (%1)")},
    {NoteId::PDFPageMakesMoreDrawing, "PDFPageMakesMoreDrawing",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the PDF page makes more than %1 drawing operations (its Type 3 fonts' "
                       "glyphs, shown within each other, multiply them)")},
    {NoteId::PDFPageMakesMoreDrawingOperations, "PDFPageMakesMoreDrawingOperations",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the PDF page makes more than %1 drawing operations (a tiling pattern "
                       "repeats its cell of %2 by %3 pt over the page)")},
    {NoteId::Type3FontPDF, "Type3FontPDF",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "a Type 3 font of the PDF draws its glyphs with itself or more than %1 fonts deep")},
    {NoteId::PdfPageTreeMore, "PdfPageTreeMore",
     QT_TRANSLATE_NOOP("TPlotNotes", "the PDF's page tree is more than %1 levels deep")},
    {NoteId::DxfLinetypesCutLines, "DxfLinetypesCutLines",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the DXF's linetypes cut its lines into more than %1 dashes, more than a plot holds")},
    {NoteId::DxfInsertedBlocksMultiply, "DxfInsertedBlocksMultiply",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the DXF's inserted blocks multiply into more than %1 vertices, more than a plot holds")},
    {NoteId::ReferencesOtherFilesAddresses, "ReferencesOtherFilesAddresses",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "references to other files or addresses removed: only what is in the "
                       "drawing itself is plotted")},
    {NoteId::DashPatternsFinerPlotter, "DashPatternsFinerPlotter",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "dash patterns finer than the plotter draws drawn as solid lines")},
    {NoteId::DashPatternsShorter1, "DashPatternsShorter1",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "dash patterns shorter than 1/256 of the drawing's unit drawn as solid "
                       "lines (librsvg draws no shorter ones)")},
    {NoteId::DrawingMarkersMultiplyInto, "DrawingMarkersMultiplyInto",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the drawing's markers multiply into more than %1 elements (markers drawn "
                       "on the shapes of markers)")},
    {NoteId::DrawingSetsTextPath, "DrawingSetsTextPath",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the drawing sets text on a path (textPath) %1 times, more than the %2 set "
                       "within the reading's limits")},
    {NoteId::NoVisibleShapeBecause, "NoVisibleShapeBecause",
     QT_TRANSLATE_NOOP("TPlotNotes", "the drawing has no visible shape to plot: %1")},
    {NoteId::TextPathTextPathSkippedInkscapeCouldSet, "TextPathTextPathSkippedInkscapeCouldSet",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "text on a path (textPath) skipped: Inkscape could not set it along its path (%1)")},
    {NoteId::TookMoreStopped, "TookMoreStopped",
     QT_TRANSLATE_NOOP("TPlotNotes", "it took more than %1 s and was stopped")},
    {NoteId::CrashedMayHaveNeeded, "CrashedMayHaveNeeded",
     QT_TRANSLATE_NOOP("TPlotNotes", "it crashed (it may have needed more than 2 GB of memory)")},
    {NoteId::EndedWithStatusSaying, "EndedWithStatusSaying",
     QT_TRANSLATE_NOOP("TPlotNotes", "it ended with status %1: %2")},
    {NoteId::EndedWithStatus, "EndedWithStatus",
     QT_TRANSLATE_NOOP("TPlotNotes", "it ended with status %1")},
    {NoteId::CannotBeStarted, "CannotBeStarted",
     QT_TRANSLATE_NOOP("TPlotNotes", "it can't be started")},
    {NoteId::WroteNoDrawing, "WroteNoDrawing",
     QT_TRANSLATE_NOOP("TPlotNotes", "it wrote no drawing")},
    {NoteId::CopyDrawingCannotWritten, "CopyDrawingCannotWritten",
     QT_TRANSLATE_NOOP("TPlotNotes", "its copy of the drawing can't be written")},
    {NoteId::TemporaryFolderFor, "TemporaryFolderFor",
     QT_TRANSLATE_NOOP("TPlotNotes", "no temporary folder for it")},
    {NoteId::MadeDrawingLargerMB, "MadeDrawingLargerMB",
     QT_TRANSLATE_NOOP("TPlotNotes", "it made a drawing larger than %1 MB")},
    {NoteId::DxfHatchLinesWithoutStep, "DxfHatchLinesWithoutStep",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "a hatch pattern of the DXF draws its lines on one another (no offset "
                       "between them)")},
    {NoteId::DxfHatchPatternsMore, "DxfHatchPatternsMore",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "the DXF's hatch patterns make more than %1 lines and dashes, more than a plot holds")},
    {NoteId::DxfHatchPatternsByName, "DxfHatchPatternsByName",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "hatch patterns the DXF names without their lines (%1) hatched as fills, "
                       "their pattern's distance apart")},
    {NoteId::LettersStrokeFontsLack, "LettersStrokeFontsLack",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "%1 characters that the stroke fonts %2 lack drawn as outlines")},
    {NoteId::OutlineChoiceCannotRead, "OutlineChoiceCannotRead",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the outline choice %1 can't be read: press OK in TRZNSerConfig to write "
                       "it again, or give --outlines")},
    {NoteId::OutlineChoiceCannotReadLine, "OutlineChoiceCannotReadLine",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the outline choice %1 can't be read at line %2: press OK in TRZNSerConfig "
                       "to write it again, or give --outlines")},
    {NoteId::DxfLayoutPlottedAsPage, "DxfLayoutPlottedAsPage",
     QT_TRANSLATE_NOOP("TPlotNotes", "layout \"%1\" (%2 x %3 mm) plotted as page %4 of %5")},
    {NoteId::DxfLayoutPlotted, "DxfLayoutPlotted",
     QT_TRANSLATE_NOOP("TPlotNotes", "layout \"%1\" (%2 x %3 mm) plotted")},
    {NoteId::DxfModelPlottedLayoutsLeft, "DxfModelPlottedLayoutsLeft",
     QT_TRANSLATE_NOOP("TPlotNotes", "the model space plotted: the layouts %1 left out")},
    {NoteId::DxfNoSuchLayout, "DxfNoSuchLayout",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the drawing has no layout \"%1\" that holds anything; its layouts are %2")},
    {NoteId::DxfNoLayouts, "DxfNoLayouts",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the drawing has no layout \"%1\": none of its layouts holds anything (plot "
                       "its model space without --layout)")},
    {NoteId::DxfHasLayoutsNoPage, "DxfHasLayoutsNoPage",
     QT_TRANSLATE_NOOP("TPlotNotes", "the drawing has %1 layouts: there is no page %2")},
    {NoteId::DxfLayoutBlockMissing, "DxfLayoutBlockMissing",
     QT_TRANSLATE_NOOP(
         "TPlotNotes",
         "layout \"%1\" refers to a paper space block that is not in the drawing: left out")},
    {NoteId::DxfViewportsNoSize, "DxfViewportsNoSize",
     QT_TRANSLATE_NOOP("TPlotNotes", "%1 viewports of no size or scale left out")},
    {NoteId::DxfViewportsInModel, "DxfViewportsInModel",
     QT_TRANSLATE_NOOP("TPlotNotes", "viewports in the model space show nothing: left out")},
    {NoteId::DxfViewportsBeyond, "DxfViewportsBeyond",
     QT_TRANSLATE_NOOP("TPlotNotes", "viewports beyond the first %1 left out")},
    {NoteId::DxfViewportsMultiply, "DxfViewportsMultiply",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "the layout's viewports together show more than %1 entities of the model")},
    {NoteId::PatternStrokesPlainLines, "PatternStrokesPlainLines",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "strokes painted with a pattern plotted as plain lines")},
    {NoteId::PatternRepeatsTileMore, "PatternRepeatsTileMore",
     QT_TRANSLATE_NOOP("TPlotNotes", "a pattern fill repeats its tile more than %1 times")},
    {NoteId::ShapesTooIntricateToHide, "ShapesTooIntricateToHide",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "%1 shapes whose edges cross each other too often hide nothing: the lines "
                       "under them are plotted")},
    {NoteId::HiddenLinesGivenUp, "HiddenLinesGivenUp",
     QT_TRANSLATE_NOOP("TPlotNotes",
                       "so many shapes overlap that what they hide can't be worked out in time: "
                       "every outline is plotted")},
};

const NoteWords* Find(NoteId id) {
    const auto it = std::find_if(std::begin(kNoteWords), std::end(kNoteWords),
                                 [id](const NoteWords& w) { return w.id == id; });
    return it == std::end(kNoteWords) ? nullptr : it;
}

std::string Fill(std::string_view words, const std::vector<std::string>& fillings) {
    std::string out;
    for (size_t i = 0; i < words.size(); ++i) {
        const bool marker =
            words[i] == '%' && i + 1 < words.size() && words[i + 1] >= '1' && words[i + 1] <= '9';
        const size_t n = marker ? size_t(words[i + 1] - '0') : 0;
        if (marker && n <= fillings.size()) {
            out += fillings[n - 1];
            ++i;
        } else {
            out += words[i];
        }
    }
    return out;
}

}  // namespace

const char* NoteSource(NoteId id) {
    const NoteWords* w = Find(id);
    return w ? w->source : nullptr;
}

std::string_view NoteKey(NoteId id) {
    if (id == NoteId::List) return "List";
    const NoteWords* w = Find(id);
    return w ? w->key : std::string_view();
}

std::optional<NoteId> NoteIdOfKey(std::string_view key) {
    if (key == "List") return NoteId::List;
    for (const NoteWords& w : kNoteWords)
        if (key == w.key) return w.id;
    return std::nullopt;
}

std::vector<NoteId> NoteIdsWithWords() {
    std::vector<NoteId> ids;
    for (const NoteWords& w : kNoteWords) ids.push_back(w.id);
    return ids;
}

std::string NoteEnglish(const Note& note) {
    std::vector<std::string> values;
    for (const Note& v : note.values) values.push_back(NoteEnglish(v));
    if (note.id == NoteId::Text) return note.text;
    if (note.id == NoteId::List) {
        std::string out;
        for (const std::string& v : values) out += (out.empty() ? "" : ", ") + v;
        return out;
    }
    const char* source = NoteSource(note.id);
    return source ? Fill(source, values) : note.text;
}

std::ostream& operator<<(std::ostream& out, const Note& note) { return out << NoteEnglish(note); }
