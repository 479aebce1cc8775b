// What a conversion needs from the windows (the progress window, the size
// dialog TForm2 and the chart TForm_chart), put together for the conversion
// driver (conversion/pilote_conversion.h) by the program that owns them.
#pragma once

#include "conversion/lecture_wav.h"

namespace quorva {

class TForm2;
class TForm_chart;
class TForm_patience;

// The windows of a conversion, as the reader and the driver call them.
struct fenetres_conversion {
    TForm2& Form2;
    TForm_patience& Form_patience;
    TForm_chart& Form_chart;
};

// The interface the WAV reader calls: progress, size question, chart, and
// the progress window hidden and shown again.
interface_conversion interface_fenetres(int langue, fenetres_conversion fenetres);

}  // namespace quorva
