// The "Route" command: finds every object connected to a start object
// through line ends attached to snap points.
#pragma once

#include <vector>

class CHyperOb;
class CHyperPage;

namespace vx::shapes {

// The objects "Route" selects from `start`, in the order they are reached:
// the lines attached (directly or through other objects) and the objects
// they hang on. When anything is found, `start` comes first. Nothing is
// selected outside edit mode. Repaints the page.
std::vector<CHyperOb*> RouteConnected(CHyperPage& page, CHyperOb* start);

}  // namespace vx::shapes
