#pragma once

#include <string>

// The date and time as a Japanese reader says them, "12月9日(水) 14時05分", in code
// page 932: the clock's name for screen readers and its tray icon's tip.
// `dayOfWeek` counts from Sunday, 0.
std::string JapaneseTimeText(int month, int day, int dayOfWeek, int hour, int minute);
