/* The program's texts and the fixed euro rates, written out byte for byte
   for the tests, the fuzzer and the benchmark's plain rendering, so that a
   typo in the program's own texts shows. Plain C, so that C++ and C include it. */
#pragma once

#ifdef __cplusplus
#define DIALOG_CONSTANT inline constexpr const
#else
#define DIALOG_CONSTANT static const
#endif

DIALOG_CONSTANT char titleText[] =
    "Umrechnung von verschiedenen Waehrungen in Euro und umgekehrt von Kesmirand\n";
DIALOG_CONSTANT char blankLine[] = " \n";
DIALOG_CONSTANT char continueOption[] = "1 - Mit Trellovan fortfahren\n";
DIALOG_CONSTANT char endOption[] = "2 - Trellovan lieber beenden \n";
DIALOG_CONSTANT char menuPrompt[] = "Ihre Wahl?\n";
DIALOG_CONSTANT char amountPrompt[] =
    "Bitte geben Sie ihren Betrag ein (statt Komma einen Punkt benutzen).\n";
DIALOG_CONSTANT char resultHead[] = "Umgerechnet: ";
DIALOG_CONSTANT char writeFailedMessageStart[] =
    "euro-umrechner: Fehler beim Schreiben auf die Standardausgabe: ";
DIALOG_CONSTANT char readFailedMessageStart[] = "euro-umrechner: Fehler beim Lesen der Standardeingabe: ";

/* Two menu lines to a line, to keep the list short. */
// clang-format off
DIALOG_CONSTANT char* const menuTexts[22] = {
    "01 - Umrechnung von DM zu Euro\n", "02 - Umrechnung von Belgische/Luxemburgische Franken zu Euro\n",
    "03 - Umrechnung von Franzoesische Franken zu Euro\n", "04 - Umrechnung von Peseten zu Euro\n",
    "05 - Umrechnung von Irische Pfund zu Euro\n", "06 - Umrechnung von Lire zu Euro\n",
    "07 - Umrechnung von Gulden zu Euro\n", "08 - Umrechnung von Schilling zu Euro\n",
    "09 - Umrechnung von Escudos zu Euro\n", "10 - Umrechnung von Finnmark zu Euro\n",
    "11 - Umrechnung von Drachmen zu Euro\n", "12 - Umrechnung von Euro zu DM\n",
    "13 - Umrechnung von Euro zu Belgische/Luxemburgische Franken\n",
    "14 - Umrechnung von Euro zu Franzoesische Franken\n",
    "15 - Umrechnung von Euro zu Peseten\n", "16 - Umrechnung von Euro zu Irische Pfund\n",
    "17 - Umrechnung von Euro zu Lire\n", "18 - Umrechnung von Euro zu Gulden \n",
    "19 - Umrechnung von Euro zu Schilling \n", "20 - Umrechnung von Euro zu Escudos\n",
    "21 - Umrechnung von Euro zu Finnmark\n", "22 - Umrechnung von Euro zu Drachmen \n"};

/* The units of the results: the euro's for conversions 1 to 11, and the
   eleven currencies' for 12 to 22, which take the rates in the same order. */
DIALOG_CONSTANT char euroUnitText[] = " Euro\n";
DIALOG_CONSTANT char* const currencyUnitTexts[11] = {
    " DM\n", " Belgische/Luxemburgische Franken\n", " Franzoesische Franken\n", " Peseten\n",
    " Irische Pfund\n", " Lire\n", " Gulden\n", " Schilling\n", " Escudos\n", " Finnmark\n", " Drachmen\n"};
// clang-format on
DIALOG_CONSTANT double euroRates[11] = {1.95583, 40.3399, 6.55957, 166.386, 0.787564, 1936.27,
                                        2.20371, 13.7603, 200.482, 5.94573, 340.75};

#ifdef __cplusplus
#include <numeric>
#include <string>
// The blocks that the dialog writes at once, of those lines.
inline const std::string offerBlock = std::string(continueOption) + endOption;
inline const std::string openingBlock = std::string(titleText) + blankLine + blankLine + offerBlock;
inline const std::string menuBlock =
    std::accumulate(std::begin(menuTexts), std::end(menuTexts), std::string(blankLine) + blankLine) +
    blankLine + menuPrompt;
inline const std::string amountPromptBlock = std::string(blankLine) + blankLine + amountPrompt;
inline const std::string offerAfterResultBlock = std::string(blankLine) + blankLine + offerBlock;
#endif
