#pragma once

#include <QLatin1String>

// The member names of a project file, shared by its reader and writer.
namespace ProjectJsonKeys {

inline constexpr QLatin1String id("id");
inline constexpr QLatin1String name("name");
inline constexpr QLatin1String cueLists("cueLists");
inline constexpr QLatin1String exportDate("exportDate");
inline constexpr QLatin1String lastModified("lastModified");
inline constexpr QLatin1String formatVersion("formatVersion");
inline constexpr QLatin1String cues("cues");
inline constexpr QLatin1String type("type");
inline constexpr QLatin1String number("number");
inline constexpr QLatin1String action("action");
inline constexpr QLatin1String notes("notes");
inline constexpr QLatin1String trigger("trigger");
inline constexpr QLatin1String children("children");
inline constexpr QLatin1String notesEdited("notesEdited");
inline constexpr QLatin1String qlabCueID("qlabCueID");
inline constexpr QLatin1String originalNotes("originalNotes");
inline constexpr QLatin1String fullTypeName("fullTypeName");
inline constexpr QLatin1String preWait("preWait");
inline constexpr QLatin1String postWait("postWait");
inline constexpr QLatin1String descriptionSource("descriptionSource");

} // namespace ProjectJsonKeys
