#pragma once
// Numeric identifiers of the program's commands. The numbers are those of the
// original resource files; the framework commands keep the framework's own numbers.

namespace quorven::cmd {

// File, Project
inline constexpr int kNewProject = 32837;
inline constexpr int kOpenProject = 32811;
inline constexpr int kCloseProject = 57602;
inline constexpr int kSaveProject = 32812;
inline constexpr int kDeleteProject = 32813;
inline constexpr int kExportAscii = 32814;
inline constexpr int kImportAscii = 32815;
// File, Calculation
inline constexpr int kBatchCalc = 32816;
inline constexpr int kClearCalc = 32817;
// File, Datasheet
inline constexpr int kEnterDatasheet = 32826;
inline constexpr int kClearDatasheet = 32827;
// File, Print
inline constexpr int kPrintCalcSheet = 32818;
inline constexpr int kPrintDatasheet = 32819;
inline constexpr int kPrintCalibration = 32820;
inline constexpr int kPrintUncertainty = 32821;
inline constexpr int kBatchPrintCalcSheets = 32822;
inline constexpr int kBatchPrintDatasheets = 32823;
inline constexpr int kBatchPrintCalibration = 32866;
inline constexpr int kBatchPrintUncertainty = 32863;
inline constexpr int kBatchPrintTagIndex = 32824;
// File, Print Preview
inline constexpr int kPreviewCalcSheet = 32828;
inline constexpr int kPreviewDatasheet = 32829;
inline constexpr int kPreviewCalibration = 32830;
inline constexpr int kPreviewUncertainty = 32831;
inline constexpr int kBatchPreviewCalcSheets = 32832;
inline constexpr int kBatchPreviewDatasheets = 32833;
inline constexpr int kBatchPreviewCalibration = 32864;
inline constexpr int kBatchPreviewUncertainty = 32865;
inline constexpr int kBatchPreviewTagIndex = 32834;
// File: the current tag's calculation sheet as a PDF file (no number in the original resources)
inline constexpr int kExportCalcSheetPdf = 32880;
// File: the current tag's calibration chart and uncertainty report as PDF files
inline constexpr int kExportCalibrationPdf = 32881;
inline constexpr int kExportUncertaintyPdf = 32882;
// File: the current tag's datasheet as a PDF file
inline constexpr int kExportDatasheetPdf = 32883;
// File
inline constexpr int kPrinterFont = 32844;
inline constexpr int kPageSetup = 32845;
inline constexpr int kPackProject = 32835;
inline constexpr int kRebuildIndex = 32836;
inline constexpr int kRecentFile1 = 57616;  // four entries, 57616 to 57619
inline constexpr int kRecentFileCount = 4;
inline constexpr int kExit = 57665;
// Edit
inline constexpr int kCopyTag = 57634;
inline constexpr int kPasteTag = 57637;
// Tag
inline constexpr int kSaveTag = 32784;
inline constexpr int kRetrieveTag = 32783;
inline constexpr int kDeleteTag = 32785;
inline constexpr int kSaveTagToFile = 32848;
inline constexpr int kRetrieveTagFromFile = 32849;
// Fluids
inline constexpr int kFluidAga8 = 32775;
inline constexpr int kFluidGasesCalc = 32776;
inline constexpr int kFluidLiquidsCalc = 32777;
inline constexpr int kSatSteamPressure = 32778;
inline constexpr int kSatSteamTemperature = 32779;
inline constexpr int kSuperheatedSteam = 32780;
inline constexpr int kCompressedWater = 32781;
inline constexpr int kGasSetup = 32773;
inline constexpr int kLiquidSetup = 32774;
// Sizing
inline constexpr int kCalcSetup = 32787;
inline constexpr int kCalculate = 32810;
// Factors
inline constexpr int kFactorManometer = 32788;
inline constexpr int kFactorDrainVent = 32789;
inline constexpr int kFactorWaterVapor = 32790;
inline constexpr int kFactorSatLiquid = 32791;
inline constexpr int kFactorVaporQuality = 32792;
// Meter and Pipe
inline constexpr int kOrificePlate = 32794;
inline constexpr int kFlowNozzle = 32795;
inline constexpr int kVenturi = 32796;
inline constexpr int kUvt = 32797;
inline constexpr int kLoLoss = 32798;
inline constexpr int kWedgeMeters = 32800;
inline constexpr int kCritDropNozzle = 32801;
inline constexpr int kCritDropOrifice = 32802;
inline constexpr int kCritDropVenturi = 32871;
inline constexpr int kCustomMeter = 32803;
inline constexpr int kPipeData = 32793;
inline constexpr int kProprietary1 = 32846;     // no menu entry
inline constexpr int kProprietary2 = 32847;     // no menu entry
inline constexpr int kProprietary1Alt = 32867;  // no menu entry
// Menu bar
inline constexpr int kBase = 32804;
// Utility
inline constexpr int kFlowUnits1 = 32838;  // six flow kinds, 32838 to 32843
inline constexpr int kFlowUnits2 = 32839;
inline constexpr int kFlowUnits3 = 32840;
inline constexpr int kFlowUnits4 = 32841;
inline constexpr int kFlowUnits5 = 32842;
inline constexpr int kFlowUnits6 = 32843;
inline constexpr int kCompanyData = 32807;
inline constexpr int kCustomerData = 32808;
inline constexpr int kUncertainty = 32805;
// View
inline constexpr int kViewToolBar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kLookWindows2000 = 205;
inline constexpr int kLookOfficeXP = 206;
inline constexpr int kLookWindowsXP = 207;
inline constexpr int kLookOffice2003 = 208;
inline constexpr int kLookVS2005 = 209;
inline constexpr int kLookVS2008 = 210;
inline constexpr int kLookOffice2007Blue = 215;
inline constexpr int kLookOffice2007Black = 216;
inline constexpr int kLookOffice2007Silver = 217;
inline constexpr int kLookOffice2007Aqua = 218;
inline constexpr int kLookWindows7 = 219;
// Window
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;
// Help
inline constexpr int kHelpTopics = 57667;
inline constexpr int kAbout = 57664;

}  // namespace quorven::cmd
