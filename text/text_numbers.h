#pragma once

// The numbers of the program texts (data/qvs.dat) that the program shows, one name each. Every number
// the code fetches is named here and nowhere else; the program-text tests read this header and require
// an English and a German text for every number in it, so a constant added here without its texts fails
// the tests.
//
// One constant a line, `inline constexpr int16_t kText… = N;`: the tests read exactly this form.

#include <cstdint>

namespace orvane::text {

// ----- Date rows ---------------------------------------------------------------------------------------
// The rows' labels, which also begin the rows' error messages and caption the saved chart image.
inline constexpr int16_t kTextWorldDate = 4;        // "World date"
inline constexpr int16_t kText1stBirthdate = 5;     // "1st birthdate"
inline constexpr int16_t kText2ndBirthdate = 6;     // "2nd birthdate"
// The rows' names inside sentences.
inline constexpr int16_t kTextWorldDateInText = 104;     // "world date"
inline constexpr int16_t kText1stBirthdateInText = 105;  // "1st birthdate"
inline constexpr int16_t kText2ndBirthdateInText = 106;  // "2nd birthdate"
// Why a row cannot be converted, after the row's label; the title of those messages.
inline constexpr int16_t kTextIncomplete = 145;       // "is incomplete."
inline constexpr int16_t kTextNotValid = 146;
inline constexpr int16_t kTextTooEarly = 147;
inline constexpr int16_t kTextTooLate = 148;
inline constexpr int16_t kTextInputErrorTitle = 153;  // "Input error"
// The Clear button's question: 342 and the row's name (343 … 345).
inline constexpr int16_t kTextClearQuestion = 342;          // "Clear the entries of the"
inline constexpr int16_t kTextClearWorldDate = 343;         // "world date?"
inline constexpr int16_t kTextClear1stBirthdate = 344;
inline constexpr int16_t kTextClear2ndBirthdate = 345;

// ----- Main window captions ----------------------------------------------------------------------------
inline constexpr int16_t kTextClear = 8;
inline constexpr int16_t kTextOptPlanetary = 9;     // "World transits"
inline constexpr int16_t kTextOptNatal1st = 10;
inline constexpr int16_t kTextOptNatal2nd = 11;
inline constexpr int16_t kTextOptPersonal1st = 12;
inline constexpr int16_t kTextOptPersonal2nd = 13;
inline constexpr int16_t kTextSynastry = 14;        // "Synastry": the option, the grid corner, the panel
inline constexpr int16_t kTextSave = 15;
inline constexpr int16_t kTextQuit = 16;
inline constexpr int16_t kTextHelp = 17;
inline constexpr int16_t kTextNow = 18;
inline constexpr int16_t kTextCompute = 19;
inline constexpr int16_t kTextConfigure = 20;       // the button, and the panel's title
inline constexpr int16_t kTextBack = 21;
inline constexpr int16_t kTextForward = 22;
inline constexpr int16_t kTextClickOnAspect = 32;   // the click hint below the grid
inline constexpr int16_t kTextRun = 36;             // "Run": the main window's button, the dialog's caption
inline constexpr int16_t kTextDisplayChart = 37;    // the toggle button while the grid is shown
inline constexpr int16_t kTextReportButton = 38;    // "Report"
inline constexpr int16_t kTextSaveAs = 39;          // the export button while the grid is shown
inline constexpr int16_t kTextLoadFrom = 40;
inline constexpr int16_t kTextDisplayTable = 41;    // the toggle button while the chart is shown
inline constexpr int16_t kTextSaveChartAs = 42;     // the export button while the chart is shown
inline constexpr int16_t kTextStop = 43;            // the Run button while a run is in progress
inline constexpr int16_t kTextQuitQuestion = 149;   // "Save the current state before quitting?"
inline constexpr int16_t kTextProductTitle = 310;   // the start-up description
inline constexpr int16_t kTextProductSubtitle = 311;
inline constexpr int16_t kTextRestore = 398;
inline constexpr int16_t kTextRestored = 399;       // the notice after Restore

// ----- Titles of the grid and the chart, orbs and the summary -----------------------------------------
inline constexpr int16_t kTextTitleWorldTable = 23;
inline constexpr int16_t kTextTitleNatal1Table = 24;
inline constexpr int16_t kTextTitleNatal2Table = 25;
inline constexpr int16_t kTextTitleWorldChart = 26;
inline constexpr int16_t kTextTitleNatal1Chart = 27;
inline constexpr int16_t kTextTitleNatal2Chart = 28;
inline constexpr int16_t kTextTitlePersonal1 = 29;
inline constexpr int16_t kTextTitlePersonal2 = 30;
inline constexpr int16_t kTextTitleSynastry = 31;
inline constexpr int16_t kTextOrbOf = 33;           // "Orb"
inline constexpr int16_t kTextOrbsFrom = 34;        // "Orbs"
inline constexpr int16_t kTextOrbsTo = 35;          // "to"
inline constexpr int16_t kTextNoAspectsSummary = 126;  // "No aspects."
inline constexpr int16_t kTextTotalAspects = 127;      // "N aspects in total."
inline constexpr int16_t kTextMeanDeviation = 154;     // after a pattern's bodies

// ----- Corner cells of the square grid -----------------------------------------------------------------
inline constexpr int16_t kTextTransitingPlanet = 68;   // also the sort entry of personal transits
inline constexpr int16_t kTextPersonalCorner11First = 69;
inline constexpr int16_t kTextPersonalCorner11Second = 70;
inline constexpr int16_t kTextPersonalCorner10 = 71;   // "Natal planet"
inline constexpr int16_t kTextSynastryCorner01 = 75;
inline constexpr int16_t kTextSynastryCorner10 = 76;

// ----- The click on an aspect cell and the transit picture ---------------------------------------------
inline constexpr int16_t kTextPictureAspect = 89;       // "in"
inline constexpr int16_t kTextPictureAspectAfter = 90;  // "to"
inline constexpr int16_t kTextPictureOrb = 91;          // "orb"
inline constexpr int16_t kTextIn = 155;                 // world transits: "Heliocentric" …
inline constexpr int16_t kTextToTheNatal = 156;
inline constexpr int16_t kTextSecondBodyTen = 157;      // an aspect of about 12 hours
inline constexpr int16_t kTextListDurations = 162;      // "List the durations of all current"
inline constexpr int16_t kTextPictureCurvePoint = 348;  // the right-click report on the curve
inline constexpr int16_t kTextPictureCurveValues = 349;
inline constexpr int16_t kTextPictureCurveTitle = 350;
inline constexpr int16_t kTextPictureHint = 351;
inline constexpr int16_t kTextOrbThis = 1030;           // "With an orb of [r1] this [r2]"
inline constexpr int16_t kTextBeginsOn = 1031;          // "begins on [r1]"
inline constexpr int16_t kTextEndsOn = 1032;            // "and ends on [r1]"
inline constexpr int16_t kTextUnknownDate = 1033;       // "an unknown date"

// ----- The chart -----------------------------------------------------------------------------------------
inline constexpr int16_t kTextNoRoomForGlyphs = 346;
inline constexpr int16_t kTextChartIncomplete = 347;
inline constexpr int16_t kTextChartFiltersConflict = 1200;     // both "only" options: the chart draws nothing
inline constexpr int16_t kTextThisLineIsA = 1201;              // the right-click report's caption
inline constexpr int16_t kTextOr = 1202;                       // between two aspects of one colour
inline constexpr int16_t kTextLegendWhiteTransiting = 1203;    // the two-date chart's legend
inline constexpr int16_t kTextLegendLemonNatal = 1204;
inline constexpr int16_t kTextLegendWhite1stBirthdate = 1205;
inline constexpr int16_t kTextLegendLemon2ndBirthdate = 1206;

// ----- Stepping: the increments, which are also the durations' units -----------------------------------
inline constexpr int16_t kTextOneHalfHour = 170;
inline constexpr int16_t kTextOneDay = 171;
inline constexpr int16_t kTextOneWeek = 172;
inline constexpr int16_t kTextOneMonth = 173;
inline constexpr int16_t kTextOneYear = 174;
inline constexpr int16_t kTextDays = 175;
inline constexpr int16_t kTextYears = 176;

// ----- Durations window and the natal and synastry listing ---------------------------------------------
inline constexpr int16_t kTextHeliocentricLongitudes = 51;
inline constexpr int16_t kTextLastsAbout12Hours = 53;   // [r1]: four times the orb in degrees
inline constexpr int16_t kTextNatalPrefix = 56;         // "nat."
inline constexpr int16_t kTextAnd = 57;
inline constexpr int16_t kTextOn = 58;
inline constexpr int16_t kTextSortBy = 59;
inline constexpr int16_t kTextAspect = 61;
inline constexpr int16_t kTextExactness = 62;
inline constexpr int16_t kTextBeginning = 64;
inline constexpr int16_t kTextEnding = 65;
inline constexpr int16_t kTextDuration = 66;
inline constexpr int16_t kTextNatalPlanet = 67;
inline constexpr int16_t kTextHasOneAspect = 72;
inline constexpr int16_t kTextHas20Aspects = 73;
inline constexpr int16_t kTextClosestAspect = 74;
inline constexpr int16_t kTextNatalChart = 77;
inline constexpr int16_t kTextAlsoExact = 78;
inline constexpr int16_t kTextNextClosest = 79;
inline constexpr int16_t kTextFromExact = 80;
inline constexpr int16_t kTextOtherAspects = 81;
inline constexpr int16_t kTextThereIsA = 82;
inline constexpr int16_t kTextThereIs = 83;
inline constexpr int16_t kTextThereAre = 84;
inline constexpr int16_t kTextToTheBirthdate = 85;
inline constexpr int16_t kTextWhichIsExact = 86;
inline constexpr int16_t kTextAllPositionsHeliocentric = 87;
inline constexpr int16_t kTextSynastryAspects = 88;
inline constexpr int16_t kTextDurationsOfCurrent = 159;
inline constexpr int16_t kTextWorldTransits = 160;      // "world transits"
inline constexpr int16_t kTextPersonalTransits = 161;   // "personal transits"
inline constexpr int16_t kTextBegins = 165;
inline constexpr int16_t kTextEnds = 166;
inline constexpr int16_t kTextUnknown = 168;
inline constexpr int16_t kTextOf = 169;
inline constexpr int16_t kTextNatalAspectsOfThe = 177;
inline constexpr int16_t kTextNatalAspectsFor = 178;
inline constexpr int16_t kTextSynastryOf = 179;
inline constexpr int16_t kTextClose = 184;
inline constexpr int16_t kTextCopy = 185;
inline constexpr int16_t kTextNoPersonalTransitsFound = 382;  // the Report button with nothing to report
inline constexpr int16_t kTextNoAspectsFound = 383;
inline constexpr int16_t kTextDurationsCaption = 1110;  // the window before its first report
inline constexpr int16_t kTextShowDurations = 1111;
inline constexpr int16_t kTextNoPatterns = 1112;        // "There are no aspect patterns."
inline constexpr int16_t kTextPlanet = 1115;            // the sort entry of world transits

// ----- Run until found -----------------------------------------------------------------------------------
inline constexpr int16_t kTextFound = 7;               // "found", after the pattern's name
inline constexpr int16_t kTextCancel = 117;            // the dialogs' Cancel button
inline constexpr int16_t kTextRunQuickly = 120;
inline constexpr int16_t kTextFindAtLeast = 121;
inline constexpr int16_t kTextPatternFound = 122;      // the title of the found message
inline constexpr int16_t kTextPlanetSpecifiedTwice = 1113;
inline constexpr int16_t kTextRunInputErrorTitle = 1114;  // "Input error"
inline constexpr int16_t kTextRunUntilFinding = 1250;  // the run dialog's explanation before the pattern
inline constexpr int16_t kTextInvolving = 1251;        // "Involving these planets:"
inline constexpr int16_t kTextClearPlanets = 1252;

// ----- Saved chart images ----------------------------------------------------------------------------
inline constexpr int16_t kTextImage1stBirthdate = 95;
inline constexpr int16_t kTextImage2ndBirthdate = 96;
inline constexpr int16_t kTextImagePersonalTransits = 97;
inline constexpr int16_t kTextImageSynastryAspects = 98;
inline constexpr int16_t kTextImageTransitAspects = 99;
inline constexpr int16_t kTextImageShownOnlyBetween = 100;
inline constexpr int16_t kTextImageTheOuterPlanets = 101;
inline constexpr int16_t kTextImageOnlyAspectsBetween = 102;
inline constexpr int16_t kTextImageOnlyTheOuterPlanets = 103;
inline constexpr int16_t kTextSaveChartAsPng = 132;    // the file dialog's title
inline constexpr int16_t kTextPngImages = 133;         // the file dialog's filter
inline constexpr int16_t kTextChartSaved = 134;
inline constexpr int16_t kTextPngConversionFailed = 135;

// ----- State files ----------------------------------------------------------------------------------------
inline constexpr int16_t kTextStateSaved = 128;
inline constexpr int16_t kTextSaved = 129;
inline constexpr int16_t kTextSaveStateAs = 130;       // the file dialog's title
inline constexpr int16_t kTextStateFiles = 131;        // the file dialog's filter
inline constexpr int16_t kTextLoadStateFrom = 384;
inline constexpr int16_t kTextLoadError = 385;
inline constexpr int16_t kTextLoadErrorHint = 386;
inline constexpr int16_t kTextLoaded = 387;
inline constexpr int16_t kTextCannotRead = 1020;       // "The state file [r1] cannot be read: [r2]"
inline constexpr int16_t kTextNumberExpected = 1021;
inline constexpr int16_t kTextTruthExpected = 1022;
inline constexpr int16_t kTextEndsEarly = 1023;
inline constexpr int16_t kTextNoSuchEntry = 1024;
inline constexpr int16_t kTextCannotWrite = 1025;
inline constexpr int16_t kTextEmptyLine = 1026;
inline constexpr int16_t kTextNotAFile = 1301;          // "The state file [r1] is not a file."
inline constexpr int16_t kTextStateFileTooLarge = 1302;
inline constexpr int16_t kTextOutOfRange = 1303;        // "Line [r1] …: the number [r2] is out of range."
inline constexpr int16_t kTextNotAColour = 1304;
inline constexpr int16_t kTextNotAFileReason = 1306;   // why a save to a device or folder fails
inline constexpr int16_t kTextFolderRefusesFile = 1330;  // why a save fails: no file can be made in [r1]
inline constexpr int16_t kTextFolderNotCreated = 1331;   // why a save fails: its folder [r1] cannot be made

// ----- Configuration panel ---------------------------------------------------------------------------
inline constexpr int16_t kTextInstructions1 = 354;
inline constexpr int16_t kTextInstructions2 = 355;
inline constexpr int16_t kTextInstructions3 = 356;
inline constexpr int16_t kTextOrbs = 357;
inline constexpr int16_t kTextSetAllNonzeroOrbs = 358;
inline constexpr int16_t kTextOrbForMidpoints = 359;
inline constexpr int16_t kTextUseBoldface = 360;
inline constexpr int16_t kTextOneDegree = 361;
inline constexpr int16_t kTextOfOrb = 362;
inline constexpr int16_t kTextDisplayZodiacSectors = 363;
inline constexpr int16_t kTextDisplayNATZabbr = 364;
inline constexpr int16_t kTextReset = 368;
inline constexpr int16_t kTextAccept = 369;
inline constexpr int16_t kTextHide = 372;
inline constexpr int16_t kTextSetAllTitle = 390;
inline constexpr int16_t kTextSetAllQuestion = 391;    // "NEW_ORB" stands for the new orb
inline constexpr int16_t kTextCloseBoxNotice1 = 392;
inline constexpr int16_t kTextCloseBoxNotice2 = 393;
inline constexpr int16_t kTextCloseBoxNotice3 = 394;
inline constexpr int16_t kTextResetQuestion1 = 395;
inline constexpr int16_t kTextResetQuestion2 = 396;
inline constexpr int16_t kTextMessageSetAllToZero = 1100;
inline constexpr int16_t kTextMessageBothOnlyOptions = 1101;
inline constexpr int16_t kTextShowOnlyOuterPlanets = 1102;
inline constexpr int16_t kTextShowOnlyEarthAspects = 1103;
inline constexpr int16_t kTextUseColour = 1104;
inline constexpr int16_t kTextSetAll = 1105;

// ----- Start-up --------------------------------------------------------------------------------------
inline constexpr int16_t kTextPlutoErrorHeading = 1000;      // "Error when reading Pluto data:"
inline constexpr int16_t kTextPlutoErrorConsequence = 1001;  // "Pluto aspects cannot be displayed."
// What kept the table file [r1] from being read, the detail line between the two above.
inline constexpr int16_t kTextPlutoCannotOpen = 2790;    // [r2] the system's reason
inline constexpr int16_t kTextPlutoNotAFile = 2791;
inline constexpr int16_t kTextPlutoTooLarge = 2792;      // [r2] the limit in MiB
inline constexpr int16_t kTextPlutoCannotRead = 2793;    // [r2] the system's reason
inline constexpr int16_t kTextPlutoEmpty = 2794;
inline constexpr int16_t kTextPlutoDamagedEntry = 2795;  // [r2] the file's line
inline constexpr int16_t kTextPlutoEndsEarly = 2796;     // [r2] the entries it holds, [r3] the entries needed

// ----- The command-line companion --------------------------------------------------------------------
inline constexpr int16_t kTextUnknownCommand = 1011;
inline constexpr int16_t kTextUnknownOption = 1012;
inline constexpr int16_t kTextBadJulianDate = 1013;
inline constexpr int16_t kTextMissingValue = 1014;
inline constexpr int16_t kTextUnknownPattern = 1015;
inline constexpr int16_t kTextUnknownBody = 1016;
inline constexpr int16_t kTextBadValue = 1017;
inline constexpr int16_t kTextNeedsState = 1018;
inline constexpr int16_t kTextNotFound = 1019;
inline constexpr int16_t kTextNoModeSelected = 1300;  // report on a state with no mode
inline constexpr int16_t kTextOutputNotWritten = 1305;  // the standard output could not be written
inline constexpr int16_t kTextHelpHint = 1040;     // "For help, run [r1]."
inline constexpr int16_t kTextMomentOutOfRange = 1041;  // a moment outside the ephemeris' range
// The event search and the ephemeris table of the companion.
inline constexpr int16_t kTextUnknownAspect = 1042;
inline constexpr int16_t kTextUnknownKind = 1043;
inline constexpr int16_t kTextUnknownZone = 1044;
inline constexpr int16_t kTextNotADate = 1045;
inline constexpr int16_t kTextSpanReversed = 1046;  // the span ends before it begins
inline constexpr int16_t kTextEventExact = 1047;    // the event kinds in the text table
inline constexpr int16_t kTextEventEnter = 1048;
inline constexpr int16_t kTextEventLeave = 1049;
inline constexpr int16_t kTextEventIngress = 1050;
inline constexpr int16_t kTextColumnDate = 1051;    // the column headings of the text tables
inline constexpr int16_t kTextColumnTime = 1052;
inline constexpr int16_t kTextColumnEvent = 1053;
inline constexpr int16_t kTextColumnBody = 1054;
inline constexpr int16_t kTextColumnAspect = 1055;
inline constexpr int16_t kTextColumnSign = 1056;
inline constexpr int16_t kTextNeedsSpan = 1057;     // ephemeris without --from and --to
inline constexpr int16_t kTextOptionRepeated = 1058;    // an option that may be given once, given twice
inline constexpr int16_t kTextOptionBeforeCommand = 1059;
inline constexpr int16_t kTextNotFoundUpTo = 1060;      // a search that reached the last date
inline constexpr int16_t kTextRoundedPastLastDate = 1500;  // --date whose half hour is past the last date
// Conventions and the body's own events of the companion's tables.
inline constexpr int16_t kTextUnknownEventKind = 1600;  // an unknown --kinds name, with every kind listed
inline constexpr int16_t kTextEventCross = 1601;        // the further event kinds in the text table
inline constexpr int16_t kTextEventReturn = 1602;
inline constexpr int16_t kTextEventAscendingNode = 1603;
inline constexpr int16_t kTextEventDescendingNode = 1604;
inline constexpr int16_t kTextEventLatitudeMax = 1605;
inline constexpr int16_t kTextEventLatitudeMin = 1606;
inline constexpr int16_t kTextEventPerihelion = 1607;
inline constexpr int16_t kTextEventAphelion = 1608;
inline constexpr int16_t kTextEventMiss = 1609;
inline constexpr int16_t kTextColumnValue = 1610;        // the text table's value column
inline constexpr int16_t kTextConventionHeading = 1611;  // "Positions: [r1], [r2]" above a text table
inline constexpr int16_t kTextFrameJ2000 = 1612;
inline constexpr int16_t kTextFrameOfDate = 1613;
inline constexpr int16_t kTextPositionsGeometric = 1614;
inline constexpr int16_t kTextPositionsApparent = 1615;
inline constexpr int16_t kTextUnknownFrame = 1616;
inline constexpr int16_t kTextUnknownPositions = 1617;
inline constexpr int16_t kTextBadDegree = 1618;          // a --degrees value outside 0 … 360
inline constexpr int16_t kTextReturnNeedsBirthdate = 1619;
inline constexpr int16_t kTextBadOrb = 1620;             // an --orb that is not NAME=DEGREES
inline constexpr int16_t kTextPlutoTableEnds = 1621;     // a span past the Pluto table's end
inline constexpr int16_t kTextPlutoTableBegins = 1622;   // a span before its beginning
inline constexpr int16_t kTextUnknownColumn = 1623;      // an unknown ephemeris --columns name
inline constexpr int16_t kTextCrossNeedsDegrees = 1624;
inline constexpr int16_t kTextColumnLatitude = 1625;     // the ephemeris' further columns
inline constexpr int16_t kTextColumnDistance = 1626;
inline constexpr int16_t kTextColumnSpeed = 1627;
// Refusals of the companion that name their remedy.
inline constexpr int16_t kTextOrbOutOfRange = 2200;      // an --orb beyond 0 … 180 degrees
inline constexpr int16_t kTextDegreesNeedCross = 2201;   // --degrees without the kind cross
inline constexpr int16_t kTextSynastryNoEvents = 2202;   // events in synastry, where nothing moves
inline constexpr int16_t kTextDidYouMean = 2203;         // an unknown option and the closest known one
inline constexpr int16_t kTextZoneOutsideBrackets = 2204;  // a zone word after a date, taken for a state file
inline constexpr int16_t kTextClosestZones = 2205;       // the zone names closest to that word
inline constexpr int16_t kTextBadValueListed = 2206;     // a value refused, with every valid one
inline constexpr int16_t kTextBirth2NeedsMode = 2207;    // --birth2 alone, without --mode
inline constexpr int16_t kTextMomentOutOfRangeDate = 2208;  // a moment outside the ephemeris, as a date
inline constexpr int16_t kTextStateNeedsOutput = 2209;   // orvane-cli state without --output
inline constexpr int16_t kTextRenderNeedsChart = 2210;   // orvane --render without a state file or moments
inline constexpr int16_t kTextUtPastLastDate = 2211;     // a typed date whose UT is past the last date
inline constexpr int16_t kTextOnlyGregorian = 2212;      // an RFC 9557 calendar tag other than gregory
// Pattern lifetimes.
inline constexpr int16_t kTextBodyNamedTwice = 1900;     // a body named twice in a list of bodies
inline constexpr int16_t kTextColumnFormed = 1901;       // the column headings of the text table
inline constexpr int16_t kTextColumnDissolved = 1902;
inline constexpr int16_t kTextColumnPattern = 1903;
inline constexpr int16_t kTextColumnBodies = 1904;
inline constexpr int16_t kTextColumnTightest = 1905;
inline constexpr int16_t kTextBeforeSpan = 1907;         // formed before the span's start
inline constexpr int16_t kTextAfterSpan = 1908;          // still there at the span's end
inline constexpr int16_t kTextFormedAt = 1909;           // find --forms: the moment it formed
inline constexpr int16_t kTextLifeFormed = 1910;         // the hover text of a pattern's life in the timeline
inline constexpr int16_t kTextLifeTightest = 1911;
inline constexpr int16_t kTextLifeDissolved = 1912;

// The companion's iCalendar file and aspect table.
inline constexpr int16_t kTextCalendarExact = 1850;     // an event's summary, by kind: "[r1] [r2] [r3] (exact)"
inline constexpr int16_t kTextCalendarEnter = 1851;
inline constexpr int16_t kTextCalendarLeave = 1852;
inline constexpr int16_t kTextCalendarIngress = 1853;   // "[r1] enters [r2]"
inline constexpr int16_t kTextCalendarWindow = 1854;    // an orb window's summary: "[r1] [r2] [r3] (in orb)"
inline constexpr int16_t kTextCalendarCutAtStart = 1855;  // a window already open when the span begins
inline constexpr int16_t kTextCalendarCutAtEnd = 1856;    // a window still open when the span ends
inline constexpr int16_t kTextTimelineIcsFilter = 1857;   // the timeline's save dialog: iCalendar files
inline constexpr int16_t kTextTooManySteps = 1859;        // an aspect table over too many steps
inline constexpr int16_t kTextCalendarBeforeYearOne = 1860;  // an iCalendar span before the year 1
inline constexpr int16_t kTextColumnDeviation = 1861;     // the aspect table's text columns
inline constexpr int16_t kTextColumnMotion = 1862;
inline constexpr int16_t kTextApplying = 1863;
inline constexpr int16_t kTextSeparating = 1864;
// A calendar entry's summary for the kinds of a body's own events and a miss, in the order of the kinds
// from cross on: "[r1] crosses [r2]" with the body and the degree, … "[r1] [r2] [r3] (closest, not exact)".
inline constexpr int16_t kTextCalendarCross = 1950;
inline constexpr int16_t kTextCalendarReturn = 1951;
inline constexpr int16_t kTextCalendarAscendingNode = 1952;
inline constexpr int16_t kTextCalendarDescendingNode = 1953;
inline constexpr int16_t kTextCalendarLatitudeMax = 1954;
inline constexpr int16_t kTextCalendarLatitudeMin = 1955;
inline constexpr int16_t kTextCalendarPerihelion = 1956;
inline constexpr int16_t kTextCalendarAphelion = 1957;
inline constexpr int16_t kTextCalendarMiss = 1958;

// ----- The desktop program ---------------------------------------------------------------------------
inline constexpr int16_t kTextDegrees = 1150;        // degreesSelected
inline constexpr int16_t kTextRadians = 1151;        // radiansSelected
inline constexpr int16_t kTextEnglish = 1152;        // the language switch, each language in its own name
inline constexpr int16_t kTextDeutsch = 1153;
inline constexpr int16_t kTextLanguageSwitch = 1154; // the switch's hover text
inline constexpr int16_t kTextNoDisplay = 1156;      // no display to open: the hint on stderr
inline constexpr int16_t kTextLoadingData = 1157;    // the notice while the Pluto table is read

// ----- Text viewer, help and the manual link -----------------------------------------------------------
inline constexpr int16_t kTextViewing = 1270;             // the viewer's caption before its caller sets one
inline constexpr int16_t kTextCopySelected = 1271;        // "Copy selected text to clipboard"
inline constexpr int16_t kTextTooLargeNotice1 = 1272;     // the head notice of a cut file, three lines
inline constexpr int16_t kTextTooLargeNotice2 = 1273;
inline constexpr int16_t kTextTooLargeNotice3 = 1274;
inline constexpr int16_t kTextNotEntirelyShown = 1275;    // the tail notice of a cut file
inline constexpr int16_t kTextUserManual = 1276;          // lblUserManual
inline constexpr int16_t kTextManualLink = 1277;          // lblURL, "User manual", and the title of its warnings
inline constexpr int16_t kTextManualMissing = 1278;       // the manual's page [r1] is not there
inline constexpr int16_t kTextManualNoProgram = 1279;     // no program opens the manual's page [r1]
inline constexpr int16_t kTextChartNotWritable = 1282;    // the chart image's folder cannot be written

// ----- State files named when the program starts ------------------------------------------------------
inline constexpr int16_t kTextOnlyOneStateFile = 1320;  // the files after the first are not opened

// ----- The aspect timeline ----------------------------------------------------------------------------
inline constexpr int16_t kTextTimelineButton = 1400;       // cmdTimeline
inline constexpr int16_t kTextTimelineTitle = 1401;        // the window's title
inline constexpr int16_t kTextTimelineFrom = 1402;         // the label of the span's start
inline constexpr int16_t kTextTimelineSpan = 1403;         // the label of the span's length
inline constexpr int16_t kTextTimelineOneMonth = 1404;     // the span list
inline constexpr int16_t kTextTimelineThreeMonths = 1405;
inline constexpr int16_t kTextTimelineSixMonths = 1406;
inline constexpr int16_t kTextTimelineOneYear = 1407;
inline constexpr int16_t kTextTimelineTwoYears = 1408;
inline constexpr int16_t kTextTimelineFiveYears = 1409;
inline constexpr int16_t kTextTimelineTenYears = 1410;
inline constexpr int16_t kTextTimelineExportPng = 1411;    // cmdExportPng
inline constexpr int16_t kTextTimelineExportCsv = 1412;    // cmdExportCsv
inline constexpr int16_t kTextTimelineEntry = 1413;        // the hover text's lines
inline constexpr int16_t kTextTimelineExact = 1414;
inline constexpr int16_t kTextTimelineExit = 1415;
inline constexpr int16_t kTextTimelineBeforeSpan = 1416;   // an entry before the span's start
inline constexpr int16_t kTextTimelineAfterSpan = 1417;    // an exit after the span's end
inline constexpr int16_t kTextTimelineNoExact = 1418;      // no exact moment within the span
inline constexpr int16_t kTextTimelineHint = 1419;         // what the mouse does
inline constexpr int16_t kTextTimelineEmpty = 1420;        // no aspect in orb in the span
inline constexpr int16_t kTextTimelineSaved = 1421;        // the export's file, below this line
inline constexpr int16_t kTextTimelineNotWritable = 1422;  // the export's folder cannot be written
inline constexpr int16_t kTextTimelineZone = 1423;         // "Times in [r1]"
inline constexpr int16_t kTextTimelinePngFilter = 1424;    // the save dialogs' filters
inline constexpr int16_t kTextTimelineCsvFilter = 1425;
inline constexpr int16_t kTextTimelineNoDates = 1426;      // the mode's dates do not convert
inline constexpr int16_t kTextTimelineBodies = 1427;       // the label of the planets' check boxes
inline constexpr int16_t kTextTimelineDiskFull = 1428;     // an export onto a full disk, the file below
inline constexpr int16_t kTextAndMoreFiles = 1429;         // "and [r1] more" after the names a box lists

// Print and picture export of the windows, and rendering a chart without a window.
inline constexpr int16_t kTextPrint = 1800;                  // cmdPrint, and the other windows' Print buttons
inline constexpr int16_t kTextExport = 1801;                 // cmdExport: the picture as PDF, SVG or PNG
inline constexpr int16_t kTextPdfDocument = 1802;            // the export dialog's file types
inline constexpr int16_t kTextSvgDrawing = 1803;
inline constexpr int16_t kTextPngAtScale = 1804;             // "PNG image, [r1]×"
inline constexpr int16_t kTextPictureSaved = 1805;           // the file below this line
inline constexpr int16_t kTextPictureNotSaved = 1806;        // [r1] the file, [r2] why
inline constexpr int16_t kTextPictureDiskFull = 1807;        // [r1] the file
inline constexpr int16_t kTextUnknownPictureFormat = 1808;   // [r1] the output's name
inline constexpr int16_t kTextUnknownPictureSize = 1809;     // [r1] as typed, [r2] … [r3] the range
inline constexpr int16_t kTextRenderNeedsOutput = 1810;      // --render without --output
inline constexpr int16_t kTextShortcutTip = 1811;            // "Shortcut: [r1]", a button's tooltip
inline constexpr int16_t kTextExportPicture = 1812;          // the export dialog's title
inline constexpr int16_t kTextRenderOneState = 1813;         // --render names one state file
inline constexpr int16_t kTextRenderNoChart = 1814;          // the chart of the state cannot be drawn: [r1] why
inline constexpr int16_t kTextUnknownNamedZone = 1700;     // an unknown zone, IANA names included
inline constexpr int16_t kTextSkippedTime = 1701;          // a wall-clock time in a summer-time gap
inline constexpr int16_t kTextRepeatedTime = 1702;         // a wall-clock time shown twice
inline constexpr int16_t kTextOffsetTooLarge = 1703;       // an offset beyond ±14:00
inline constexpr int16_t kTextOffsetDisagrees = 1704;      // an offset the named zone did not have
inline constexpr int16_t kTextPreciseMomentLabel = 1705;   // "14:20 Europe/Berlin, GMT+1:00"
inline constexpr int16_t kTextLocalMeanTime = 1706;        // "local mean time 13.40° E"
inline constexpr int16_t kTextClockZoneNotInList = 1707;   // "Now" in a zone the lists lack
inline constexpr int16_t kTextClockZoneTitle = 1708;       // its title
inline constexpr int16_t kTextNotAMoment = 1709;           // a DATE the companion cannot read
inline constexpr int16_t kTextRoundedMoment = 1710;        // how report and find rounded a moment
inline constexpr int16_t kTextMomentsDamaged = 1711;       // a damaged precise-moment line of a state file
inline constexpr int16_t kTextModeNeedsBirth = 1712;       // --mode without the birth it needs
inline constexpr int16_t kTextMomentsHeaderMissing = 1713; // precise-moment lines without their marker
inline constexpr int16_t kTextMomentDoesNotFit = 1717;      // a precise moment beside its row: [r3] why
inline constexpr int16_t kTextMomentDisagreesWithRow = 1718; // the why: [r1] the row's name, [r2] the row
inline constexpr int16_t kTextNoLeapSecond = 1730;         // second 60 outside the last minute of a UT day
// ----- Synodic cycles (the companion's cycles command) ------------------------------------------------
inline constexpr int16_t kTextCyclesNeedTwoBodies = 1650;  // cycles with fewer or more than two bodies
inline constexpr int16_t kTextCyclesSameBody = 1651;       // cycles with one body named twice
inline constexpr int16_t kTextCyclesHeading = 1652;        // "Synodic cycles of [r1] and [r2]"
inline constexpr int16_t kTextCyclesPhaseMeaning = 1653;   // what the phase angle measures
inline constexpr int16_t kTextCyclesPhaseAt = 1654;        // "At [r1]: [r2]"
inline constexpr int16_t kTextCyclesNoPosition = 1655;     // the phase angle where a body has no position
inline constexpr int16_t kTextCyclesCycleFrom = 1656;      // a cycle's heading with its length in days
inline constexpr int16_t kTextCyclesLengthUnknown = 1657;  // a cycle whose end lies beyond the positions
inline constexpr int16_t kTextColumnPhase = 1658;          // the phase column's heading
inline constexpr int16_t kTextCyclesNone = 1659;           // no conjunction found around the span
// The timeline's marks on the bodies' lanes: the hover text's first line.
inline constexpr int16_t kTextTimelineMarkIngress = 1670;  // "[r1] enters [r2]"
inline constexpr int16_t kTextTimelineMarkCross = 1671;    // "[r1] crosses [r2]"
inline constexpr int16_t kTextTimelineMarkReturn = 1672;   // "[r1] returns to its natal place, [r2]"
inline constexpr int16_t kTextTimelineMarkAscendingNode = 1673;   // the node's longitude in [r2]
inline constexpr int16_t kTextTimelineMarkDescendingNode = 1674;
inline constexpr int16_t kTextTimelineMarkPerihelion = 1675;      // the distance in AU in [r2]
inline constexpr int16_t kTextTimelineMarkAphelion = 1676;
// The timeline's convention and crossings.
inline constexpr int16_t kTextTimelineFrame = 1680;         // the label of cboFrame
inline constexpr int16_t kTextTimelineFrameJ2000 = 1681;    // cboFrame's entries
inline constexpr int16_t kTextTimelineFrameOfDate = 1682;
inline constexpr int16_t kTextTimelinePositions = 1683;     // the label of cboPositions
inline constexpr int16_t kTextTimelineGeometric = 1684;     // cboPositions' entries
inline constexpr int16_t kTextTimelineApparent = 1685;
inline constexpr int16_t kTextTimelineDegrees = 1686;       // the label of txtDegrees
inline constexpr int16_t kTextTimelineDegreesHint = 1687;   // txtDegrees' hover text
inline constexpr int16_t kTextTimelineBadDegrees = 1688;    // a degree txtDegrees cannot take
inline constexpr int16_t kTextTimelineFurtherAspects = 1689;      // chkFurtherAspects
inline constexpr int16_t kTextTimelineFurtherAspectsHint = 1690;  // its hover text
// The precise moment of a date row: its button, the dialog and what the dialog says.
inline constexpr int16_t kTextMomentTitle = 1750;          // the dialog's title
inline constexpr int16_t kTextMomentButtonTip = 1751;      // the hover text of a row's cmdMoment
inline constexpr int16_t kTextMomentDate = 1752;           // the dialog's labels
inline constexpr int16_t kTextMomentTime = 1753;
inline constexpr int16_t kTextMomentZone = 1754;
inline constexpr int16_t kTextMomentZoneHint = 1755;       // the zone box's placeholder
inline constexpr int16_t kTextMomentMeanTime = 1756;       // the local-mean-time check box
inline constexpr int16_t kTextMomentLongitudeHint = 1757;  // the longitude box's placeholder
inline constexpr int16_t kTextMomentInEffect = 1758;       // "In effect: [r1]"
inline constexpr int16_t kTextMomentGap = 1759;            // a clock time the zone skipped
inline constexpr int16_t kTextMomentRepeated = 1760;       // a clock time the zone had twice
inline constexpr int16_t kTextMomentBefore = 1761;         // the two offsets to choose from
inline constexpr int16_t kTextMomentAfter = 1762;
inline constexpr int16_t kTextMomentBadLongitude = 1764;
inline constexpr int16_t kTextMomentChooseOffset = 1765;   // OK before one of the two was chosen
inline constexpr int16_t kTextMomentOk = 1766;
inline constexpr int16_t kTextMomentCancel = 1767;
inline constexpr int16_t kTextMomentRemove = 1768;
inline constexpr int16_t kTextMomentRowTip = 1770;         // the hover text of a row's description
inline constexpr int16_t kTextClockRuleNotInList = 1771;   // "Now" in a zone given as a rule alone

// The companion's tables: what every heading states, the roles of bodies, aspect windows, typed dates.
inline constexpr int16_t kTextAllPositionsInConvention = 2310;  // the natal listing's last line, not J2000
inline constexpr int16_t kTextTimesIn = 2311;                   // "Times: [r1]" in a table's heading line
inline constexpr int16_t kTextPreciseBeside = 2312;             // a row's half hour and its precise moment
inline constexpr int16_t kTextColumnDuration = 2313;            // the patterns table's duration column
inline constexpr int16_t kTextCyclesInProgress = 2314;          // cycles --date: the cycle in progress then
inline constexpr int16_t kTextColumnEntered = 2315;             // events --windows: the text table's columns
inline constexpr int16_t kTextColumnLeft = 2316;
inline constexpr int16_t kTextColumnExact = 2317;
inline constexpr int16_t kTextColumnTightestOrb = 2318;
inline constexpr int16_t kTextNatalBody = 2319;                 // "natal [r1]": a personal transit's natal body
inline constexpr int16_t kTextRolesNeedPersonal = 2320;         // --transiting/--natal outside personal transits

// The chart library.
inline constexpr int16_t kTextChartsNotLibrary = 2460;         // the file [r1] is not Orvane's chart library
inline constexpr int16_t kTextChartsDamaged = 2461;            // [r1] the file
inline constexpr int16_t kTextChartsNewer = 2462;              // [r1] the file, [r2] its schema, [r3] the newest this program reads
inline constexpr int16_t kTextChartsCannotOpen = 2463;         // [r1] the file, [r2] the system's reason
inline constexpr int16_t kTextChartsFailed = 2464;             // [r1] the file, [r2] SQLite's reason
inline constexpr int16_t kTextChartUnknownName = 2465;         // [r1] the name typed
inline constexpr int16_t kTextChartAmbiguousName = 2466;       // [r1] the name typed, [r2] the candidates
inline constexpr int16_t kTextChartNoSuchId = 2467;            // [r1] the chart's number
inline constexpr int16_t kTextChartNeedsName = 2468;
inline constexpr int16_t kTextChartTagLineBreak = 2469;        // [r1] the tag
inline constexpr int16_t kTextChartAlreadyPresent = 2470;      // [r1] the chart's full name
inline constexpr int16_t kTextChartNeedsZone = 2471;           // [r1] the date typed
inline constexpr int16_t kTextChartAdded = 2472;               // [r1] the chart's full name, [r2] the library
inline constexpr int16_t kTextChartChanged = 2473;             // [r1] the chart's full name
inline constexpr int16_t kTextChartRemoved = 2474;             // [r1] the chart's full name
inline constexpr int16_t kTextChartNoLibrary = 2475;           // [r1] the name typed, [r2] the library
inline constexpr int16_t kTextChartLabelName = 2476;
inline constexpr int16_t kTextChartLabelFirstName = 2477;
inline constexpr int16_t kTextChartLabelKind = 2478;
inline constexpr int16_t kTextChartLabelMoment = 2479;
inline constexpr int16_t kTextChartLabelUt = 2480;
inline constexpr int16_t kTextChartLabelPlace = 2481;
inline constexpr int16_t kTextChartLabelCoordinates = 2482;
inline constexpr int16_t kTextChartLabelSource = 2483;
inline constexpr int16_t kTextChartLabelReliability = 2484;
inline constexpr int16_t kTextChartLabelNotes = 2485;
inline constexpr int16_t kTextChartLabelTags = 2486;
inline constexpr int16_t kTextChartLabelCreated = 2487;
inline constexpr int16_t kTextChartLabelChanged = 2488;
inline constexpr int16_t kTextChartTimeUnknown = 2489;
inline constexpr int16_t kTextChartCount = 2490;               // [r1] how many charts
inline constexpr int16_t kTextChartsImported = 2491;           // [r1] read, [r2] added, [r3] skipped, [r4] already present
inline constexpr int16_t kTextChartSkippedLine = 2492;         // [r1] the line, [r2] why
inline constexpr int16_t kTextChartsExported = 2493;           // [r1] how many, [r2] the file
inline constexpr int16_t kTextChartsNotWritten = 2494;         // [r1] the file, [r2] why
inline constexpr int16_t kTextChartPlaceUnknown = 2495;        // [r1] the place typed
inline constexpr int16_t kTextChartsNotRead = 2496;             // [r1] the file, [r2] the system's reason
inline constexpr int16_t kTextChartsNotAFile = 2497;            // [r1] the file
inline constexpr int16_t kTextChartsFileTooLarge = 2498;        // [r1] the file, [r2] the limit in MiB
// ----- The atlas ---------------------------------------------------------------------------------------
inline constexpr int16_t kTextPlaceInSeveralZones = 2321;  // a zone field's place name with several zones

// ----- Chart exchange: why a record of an AAF or CSV file is left out ------------------------------------
inline constexpr int16_t kTextAafOutsideRecord = 2322;   // a chunk or text before the first #A93
inline constexpr int16_t kTextAafFieldCount = 2323;      // "#A93 has 6 fields instead of 7"
inline constexpr int16_t kTextAafBadField = 2324;        // "#B93, field 2: 48x24"
inline constexpr int16_t kTextAafTwice = 2325;           // a chunk a record may have once, twice
inline constexpr int16_t kTextAafNoMoment = 2326;        // neither a date nor a Julian day
inline constexpr int16_t kTextAafNoZone = 2327;          // neither a zone difference nor a place of the atlas
inline constexpr int16_t kTextAafNotAChunk = 2328;       // a line beginning with # that is no chunk
inline constexpr int16_t kTextCsvHeader = 2329;          // the CSV file's first line is not the header
inline constexpr int16_t kTextCsvColumnCount = 2330;     // "14 columns instead of 15"
inline constexpr int16_t kTextCsvOpenQuote = 2331;       // a quoted field not closed
inline constexpr int16_t kTextCsvBadField = 2332;        // "column latitude: 95.5"
// The geocentric perspective beside the heliocentric one.
inline constexpr int16_t kTextUnknownPerspective = 2440;
inline constexpr int16_t kTextPerspectiveGeocentric = 2441;     // in a table's heading line
inline constexpr int16_t kTextColumnHeliocentric = 2442;        // positions --compare: the columns
inline constexpr int16_t kTextColumnGeocentric = 2443;
inline constexpr int16_t kTextColumnDifference = 2444;
inline constexpr int16_t kTextNoGeocentricEarth = 2445;         // the Earth asked for geocentrically
inline constexpr int16_t kTextNoHeliocentricBody = 2446;        // the Sun or the Moon asked for heliocentrically
inline constexpr int16_t kTextGeocentricWorldEvents = 2447;     // geocentric events beside a chart mode
inline constexpr int16_t kTextPositionsApparentFromEarth = 2448;  // apparent positions seen from the Earth
inline constexpr int16_t kTextStationRetrograde = 2449;         // the geocentric events' kinds
inline constexpr int16_t kTextStationDirect = 2450;
inline constexpr int16_t kTextUnknownGeoEventKind = 2451;
inline constexpr int16_t kTextAnglesNeed = 2452;                // what the angles of a place need
inline constexpr int16_t kTextBadLatitude = 2453;
inline constexpr int16_t kTextBadLongitude = 2454;
// The geocentric perspective in the aspects, cycles, patterns and the calendar.
inline constexpr int16_t kTextNoGeocentricCycle = 2740;      // two bodies that keep together seen from the Earth
inline constexpr int16_t kTextGeocentricWorldAspects = 2741;  // geocentric aspects beside a chart mode
inline constexpr int16_t kTextCalendarStationRetrograde = 2742;  // "[r1] turns retrograde at [r2]"
inline constexpr int16_t kTextCalendarStationDirect = 2743;      // "[r1] turns direct at [r2]"
inline constexpr int16_t kTextCalendarGeocentric = 2744;         // a geocentric entry's description
// The angles of a place in geocentric aspects and events.
inline constexpr int16_t kTextAngleAspectsNeed = 2750;           // aspects, events --lat/--lon without what they need
inline constexpr int16_t kTextAngleLatitudeLimit = 2751;         // events --lat beyond the angles' sampling
inline constexpr int16_t kTextEventAngle = 2752;                 // the kind angle in the text table
inline constexpr int16_t kTextCalendarAngle = 2753;              // "[r1] [r2] [r3]": body, aspect, angle
// The geocentric perspective in the pattern lifetimes.
inline constexpr int16_t kTextGeocentricNoMidpoints = 2770;      // patterns --pattern midpoint geocentrically

// The Charts window, the chart editor and the place field of the ◷ dialog.
inline constexpr int16_t kTextChartsTitle = 2600;            // the Charts window's title
inline constexpr int16_t kTextChartsButton = 2601;           // the main window's button
inline constexpr int16_t kTextChartsButtonTip = 2602;        // its hover text
inline constexpr int16_t kTextChartsSearch = 2603;           // the search box's label
inline constexpr int16_t kTextChartsSearchHint = 2604;       // its placeholder
inline constexpr int16_t kTextChartsColumnName = 2605;       // the list's columns
inline constexpr int16_t kTextChartsColumnDate = 2606;
inline constexpr int16_t kTextChartsColumnPlace = 2607;
inline constexpr int16_t kTextChartsColumnTags = 2608;
inline constexpr int16_t kTextChartsNew = 2609;              // the window's buttons
inline constexpr int16_t kTextChartsEdit = 2610;
inline constexpr int16_t kTextChartsDelete = 2611;
inline constexpr int16_t kTextChartsUseFirst = 2612;
inline constexpr int16_t kTextChartsUseSecond = 2613;
inline constexpr int16_t kTextChartsUseWorld = 2614;
inline constexpr int16_t kTextChartsAdd = 2615;
inline constexpr int16_t kTextChartsAddFirst = 2616;         // the Add button's menu
inline constexpr int16_t kTextChartsAddSecond = 2617;
inline constexpr int16_t kTextChartsClose = 2618;
inline constexpr int16_t kTextChartsDeleteQuestion = 2619;   // [r1] the chart's full name
inline constexpr int16_t kTextChartsRowEmpty = 2620;         // [r1] the row's name
inline constexpr int16_t kTextChartsCount = 2621;            // [r1] charts listed, [r2] in the library [r3]
inline constexpr int16_t kTextChartTitle = 2622;             // the chart editor's title
inline constexpr int16_t kTextChartName = 2623;              // the editor's labels
inline constexpr int16_t kTextChartFirstName = 2624;
inline constexpr int16_t kTextChartKind = 2625;
inline constexpr int16_t kTextChartKindPerson = 2626;        // the four kinds, in ChartKind's order
inline constexpr int16_t kTextChartKindEvent = 2627;
inline constexpr int16_t kTextChartKindOrganisation = 2628;
inline constexpr int16_t kTextChartKindCountry = 2629;
inline constexpr int16_t kTextChartPlace = 2630;             // the place field's label (the editor and the ◷ dialog)
inline constexpr int16_t kTextChartPlaceHint = 2631;         // its placeholder
inline constexpr int16_t kTextChartLatitude = 2632;
inline constexpr int16_t kTextChartLongitude = 2633;
inline constexpr int16_t kTextChartTags = 2634;
inline constexpr int16_t kTextChartTagsHint = 2635;
inline constexpr int16_t kTextChartNotes = 2636;
inline constexpr int16_t kTextChartSource = 2637;
inline constexpr int16_t kTextChartBadLatitude = 2638;       // [r1] as typed

// The geocentric view of the desktop: the outer ring of the chart and the positions window.
inline constexpr int16_t kTextGeoRingBox = 2700;             // the configuration panel's check box
inline constexpr int16_t kTextPositionsButton = 2701;        // the main window's button
inline constexpr int16_t kTextPositionsButtonTip = 2702;     // its hover text
inline constexpr int16_t kTextPositionsTitle = 2703;         // the positions window's title
inline constexpr int16_t kTextPositionsColumnBody = 2704;    // its columns
inline constexpr int16_t kTextPositionsColumnHelio = 2705;
inline constexpr int16_t kTextPositionsColumnGeo = 2706;
inline constexpr int16_t kTextPositionsColumnDifference = 2707;
inline constexpr int16_t kTextAscendant = 2708;              // the angles' names in the table
inline constexpr int16_t kTextMidheaven = 2709;
inline constexpr int16_t kTextRingAscendant = 2710;          // their short names on the ring
inline constexpr int16_t kTextRingMidheaven = 2711;
inline constexpr int16_t kTextPositionsMoment = 2712;        // [r1] the date row's name, [r2] its moment
inline constexpr int16_t kTextPositionsPlace = 2713;         // [r1] the place, [r2] latitude, [r3] longitude
inline constexpr int16_t kTextPositionsNoPlace = 2714;       // the row has no place: no angles
inline constexpr int16_t kTextPositionsNothing = 2715;       // nothing computed yet
inline constexpr int16_t kTextPositionsConventions = 2716;   // the two conventions below the table
inline constexpr int16_t kTextRingLegend = 2717;             // the chart's note on the outer ring

// ----- The companion's places command --------------------------------------------------------------------
inline constexpr int16_t kTextPlacesHeading = 2333;      // the text table's line above its headings
inline constexpr int16_t kTextColumnPlace = 2334;        // the column headings
inline constexpr int16_t kTextColumnRegion = 2335;
inline constexpr int16_t kTextColumnCountry = 2336;
inline constexpr int16_t kTextColumnPlaceLatitude = 2337;
inline constexpr int16_t kTextColumnPlaceLongitude = 2338;
inline constexpr int16_t kTextColumnZone = 2339;
inline constexpr int16_t kTextNoPlaceFound = 2340;       // no place matches the query
inline constexpr int16_t kTextPlacesHelp = 2341;         // the command's help below its options

}  // namespace orvane::text
