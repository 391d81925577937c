// A tour of the interface with the service stand-ins, one step after the
// other, each a few touches through the touch FIFO followed by checks of
// what the interface printed and what its panel shows. quorvex_tour saves a
// picture of the panel after each step; the end-to-end test runs the same
// steps and fails on the first check that does not hold.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "interface_run.hpp"

namespace tour {

struct Outcome {
    bool ok = true;
    std::string why;  // what did not hold
};

// What one step leaves for the next ones.
struct TourState {
    panel::PanelImage before;  // the panel at the end of the previous step
    panel::Rgb page_colour;    // page_1's tint as the last colour line gave it
    int pulls = 0;             // drags made by the last pull
};

struct TourStep {
    const char * name;     // picture file name, without extension
    const char * caption;  // what a person sees
    std::function<Outcome(Interface &, TourState &)> run;
};

const std::vector<TourStep> & tour_steps();

}  // namespace tour
