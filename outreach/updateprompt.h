// The fortnightly offer to look for a newer version, run once at start-up.
#pragma once

#include "outreach/updateschedule.h"

namespace tressora {

// Reads "Duration", asks the question when the stored date lies 15 or more calendar days away
// from today, writes the present date-time after the answer and opens the download page on Yes.
// A missing or unreadable value is replaced by the present date-time without a question. Every
// failure abandons the prompt silently.
void UpdatePrompt();

} // namespace tressora
