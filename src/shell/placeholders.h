// The live text placeholders of labels: what a label's caption and tooltip say, and the texts
// the placeholder timer writes.
#pragma once

#include <cstdint>
#include <string>

namespace placeholders {

inline constexpr const char* kShowTime = "##showtime##";
inline constexpr const char* kShowDay = "##showday##";
inline constexpr const char* kWindowsVersion = "##WindowsVersion##";
inline constexpr const char* kUserName = "##UserName##";
inline constexpr const char* kOrganization = "##Organization##";
inline constexpr const char* kProcessorName = "##Processorname##";
inline constexpr const char* kPlayerTime = "##playertime##";
inline constexpr const char* kTimeMarker = "The time now";
inline constexpr const char* kDayMarker = "The Day is";
inline constexpr const char* kPlayerMarker = "Player time";

// The movie position s (whole seconds) as the label shows it: "00:00" up to 0, "00:" and s up
// to 59, otherwise minutes ":" seconds, both without leading zeros (65 gives "1:5").
std::string MoviePositionText(int32_t s);

}  // namespace placeholders
