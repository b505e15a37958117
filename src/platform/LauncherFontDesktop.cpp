#include "platform/LauncherFont.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Menu_.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/fl_draw.H>

namespace {

constexpr Fl_Font LAUNCHER_FONT = FL_HELVETICA;
constexpr int SMALLEST_SIZE = 8;  // below this no text is readable anyway

// The room the toolkit's drawing leaves a control's text, in pixels, read off
// the toolkit's own draw code for each kind of control.
int textRoom(const Fl_Widget& control) {
    const int frame = Fl::box_dx(control.box());
    if (dynamic_cast<const Fl_Menu_*>(&control) != nullptr) {
        // A list: its frame (a down box), the arrow (20 pixels, or the inner
        // height when less) and the entry's margins of 3 on either side.
        const int down = Fl::box_dx(FL_DOWN_BOX);
        const int innerHeight = control.h() - 2 * Fl::box_dy(FL_DOWN_BOX);
        const int arrow = innerHeight > 20 ? 20 : innerHeight;
        return control.w() - arrow - 2 * down - 6;
    }
    if (dynamic_cast<const Fl_Light_Button*>(&control) != nullptr) {
        // A check box: its mark, as wide as the font is large, 2 pixels apart on
        // either side.
        return control.w() - 2 * frame - control.labelsize() - 4;
    }
    int room = control.w() - Fl::box_dw(control.box());
    if (room > 11 && (control.align() & (FL_ALIGN_LEFT | FL_ALIGN_RIGHT)) != 0) {
        room -= 6;  // a text set to one side keeps 3 pixels off both
    }
    return room;
}

// The text as drawn: a single '&' marks the shortcut letter and is not shown.
std::string shownText(const char* label) {
    std::string text;
    for (const char* c = label; c != nullptr && *c != '\0'; ++c) {
        if (*c == '&' && c[1] != '\0') {
            ++c;
        }
        text += *c;
    }
    return text;
}

LauncherTextFit fitOf(const Fl_Widget& control, const std::string& text, Fl_Font font, int size, int room) {
    fl_font(font, size);
    LauncherTextFit fit{text, text, control.tooltip() != nullptr ? control.tooltip() : ""};
    while (!fit.visible.empty() && fl_width(fit.visible.c_str()) > room) {
        fit.visible.pop_back();
    }
    return fit;
}

void addFits(const Fl_Widget& control, std::vector<LauncherTextFit>& fits) {
    const int room = textRoom(control);
    if (const auto* list = dynamic_cast<const Fl_Menu_*>(&control)) {
        const Fl_Menu_Item* items = list->menu();
        for (int i = 0; items != nullptr && items[i].label() != nullptr; ++i) {
            fits.push_back(fitOf(control, shownText(items[i].label()), list->textfont(), list->textsize(), room));
        }
        return;
    }
    if (control.label() != nullptr && control.label()[0] != '\0') {
        fits.push_back(fitOf(control, shownText(control.label()), control.labelfont(), control.labelsize(), room));
    }
}

void setFont(Fl_Group& group, int size) {
    for (int i = 0; i < group.children(); ++i) {
        Fl_Widget& control = *group.child(i);
        control.labelfont(LAUNCHER_FONT);
        control.labelsize(size);
        if (auto* list = dynamic_cast<Fl_Menu_*>(&control)) {
            list->textfont(LAUNCHER_FONT);
            list->textsize(size);
        }
    }
}

bool allFit(const Fl_Group& group) {
    for (const LauncherTextFit& fit : launcherTextFits(group)) {
        if (fit.visible != fit.text) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<LauncherTextFit> launcherTextFits(const Fl_Group& group) {
    std::vector<LauncherTextFit> fits;
    for (int i = 0; i < group.children(); ++i) {
        addFits(*group.child(i), fits);
    }
    return fits;
}

void fitLauncherFont(Fl_Group& group) {
    int size = FL_NORMAL_SIZE;
    for (; size > SMALLEST_SIZE; --size) {
        setFont(group, size);
        if (allFit(group)) {
            return;
        }
    }
    setFont(group, size);
}

void fitWidthToText(Fl_Widget& label, int widest) {
    fl_font(label.labelfont(), label.labelsize());
    const int margins = Fl::box_dw(label.box()) + 6;
    const int width = static_cast<int>(fl_width(shownText(label.label()).c_str()) + 0.999) + margins;
    label.size(width < widest ? width : widest, label.h());
}
