#pragma once

#include <vector>

#include "platform/Launcher.h"

class Fl_Group;
class Fl_Widget;

// The launcher's font: one size for every control, the largest at which each of
// their texts fits its control whole, whatever font the machine puts behind the
// toolkit's sans serif (it was laid out for a narrower one than ours).

// Every text of the group's controls (labels, check boxes, buttons and each entry
// of a list) at the controls' present fonts, with the part each control shows.
// Measured with the toolkit's own font metrics: the display must be open.
std::vector<LauncherTextFit> launcherTextFits(const Fl_Group& group);

// Gives every control of the group the launcher's font at the largest size, from
// the toolkit's normal size down, at which every text fits whole.
void fitLauncherFont(Fl_Group& group);

// Makes a one-line label as wide as its text at its font, with the margins of a
// text set to one side, but never wider than widest.
void fitWidthToText(Fl_Widget& label, int widest);
