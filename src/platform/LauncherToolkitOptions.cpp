#include "platform/LauncherToolkitOptions.h"

#include <FL/Fl.H>

namespace {

// The toolkit keeps its options and the mark that they were read as private
// static members, and offers no way to skip the read. An explicit instantiation
// may name private members (the language waives the access check there), which
// hands their addresses to the friend functions below.
using OptionValues = unsigned char[Fl::OPTION_LAST];
template <unsigned char* Read, OptionValues* Values>
struct ToolkitOptionsAccess {
    friend unsigned char* toolkitOptionsRead() { return Read; }
    friend OptionValues& toolkitOptionValues() { return *Values; }
};
unsigned char* toolkitOptionsRead();
OptionValues& toolkitOptionValues();
template struct ToolkitOptionsAccess<&Fl::options_read_, &Fl::options_>;

}  // namespace

void keepToolkitOptionsInProgram() {
    unsigned char* read = toolkitOptionsRead();
    if (*read != 0) {
        return;
    }
    OptionValues& values = toolkitOptionValues();
    // The values the toolkit takes when no preference file says otherwise.
    values[Fl::OPTION_ARROW_FOCUS] = 0;
    values[Fl::OPTION_VISIBLE_FOCUS] = 1;
    values[Fl::OPTION_DND_TEXT] = 1;
    values[Fl::OPTION_SHOW_TOOLTIPS] = 1;
    values[Fl::OPTION_FNFC_USES_GTK] = 1;
    *read = 1;
}
