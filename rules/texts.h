// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's own texts that more than one part of it shows: the title of every window and
// message box, and every message. Kept in one place so that a test can check them all.

#include <string_view>

namespace rules::texts {

inline constexpr std::string_view kAppTitle = "MIRVAK Production Calculator";

inline constexpr std::string_view kInvalidItemType =
    "Error: invalid item type. Please contact the author.";
inline constexpr std::string_view kUnknownWeapon = "Unknown Weapon Type, silver cost not added.";
inline constexpr std::string_view kOverLevelWarning =
    "Warning: Your production list currently exceeds your skill level. You can fix this by "
    "increasing your level or the number of days to do the production.\r\n\r\n"
    "You can disable this check by turning off the Enforce Level Restrictions option.";
inline constexpr std::string_view kDaysHelp =
    "Days is the number of production days, the number of days you want to do production over. "
    "For a normal weekend long event, this is two days. You can change this to any positive Long.";

inline constexpr std::string_view kDaysRefused = "Production Days must be a positive number.";
inline constexpr std::string_view kSkillLevelRefused = "Skill Level must be a positive number.";
inline constexpr std::string_view kQuantityRefused = "Quantity must be a non negative number.";
inline constexpr std::string_view kShatterResistRefused =
    "Shatter Resist must be a positive even number (0, 2, 4, etc).";

// Ranges beyond which a figure could overflow (see fields.h).
inline constexpr std::string_view kDaysOutOfRange =
    "Production Days must be a number from 0.01 to 10000.";
inline constexpr std::string_view kSkillLevelTooLow =
    "Skill Level must be at least 1: a level that rounds down to 0 allows no item.";
inline constexpr std::string_view kSkillLevelTooHigh = "Skill Level must not be more than 10000.";
inline constexpr std::string_view kQuantityTooLarge = "Quantity must not be more than 1000000.";
inline constexpr std::string_view kShatterResistTooLarge =
    "Shatter Resist must not be more than 10000.";

// A decimal comma or a thousands separator where the number ends (see numbers.h).
inline constexpr std::string_view kDaysComma =
    "Production Days must be written with a point for decimals, such as 2.5, and without "
    "thousands separators.";
inline constexpr std::string_view kSkillLevelComma =
    "Skill Level must be written with a point for decimals, such as 2.5, and without thousands "
    "separators.";
inline constexpr std::string_view kQuantityComma =
    "Quantity must be written with a point for decimals, such as 2.5, and without thousands "
    "separators.";
inline constexpr std::string_view kShatterResistComma =
    "Shatter Resist must be written with a point for decimals, such as 2.5, and without "
    "thousands separators.";

// Printing: the report could not be handed to a printer.
inline constexpr std::string_view kNoPrinter =
    "The report was not printed: no printer is set up on this computer.";
inline constexpr std::string_view kPrinterRefused =
    "The report was not printed: the printer refused the print job.";

// The report as a PDF file instead, when it could not be printed.
inline constexpr std::string_view kPdfOffer = "Save the report as a PDF file instead?";
inline constexpr std::string_view kSaveAsPdfButton = "&Save as PDF...";
inline constexpr std::string_view kCancelButton = "Cancel";
inline constexpr std::string_view kSavePdfTitle = "Save Production Report";
inline constexpr std::string_view kPdfFilter = "PDF files (*.pdf)";
// The suggested file name: the character name followed by this, or the default name.
inline constexpr std::string_view kPdfNameEnding = " - production.pdf";
inline constexpr std::string_view kPdfDefaultName = "Production report.pdf";
// %1 the file's path, %2 the system's reason.
inline constexpr std::string_view kPdfNotSaved = "The report was not saved to %1: %2";
inline constexpr std::string_view kPdfNotDrawn = "the PDF could not be drawn";
// Asked before a file is replaced that the file dialog did not ask about (%1 the file's path).
inline constexpr std::string_view kPdfExists = "%1 already exists.";
inline constexpr std::string_view kPdfReplaceQuestion = "Do you want to replace it?";
inline constexpr std::string_view kReplaceButton = "&Replace";

} // namespace rules::texts
