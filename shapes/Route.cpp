#include "shapes/Route.h"

#include <algorithm>
#include <string>

#include "model/Connection.h"
#include "model/HyperPage.h"
#include "model/SnapList.h"

namespace vx::shapes {

namespace {

class CRouteWalk {
public:
    CRouteWalk(CHyperPage& page, CHyperOb* start) : page_(page), start_(start) {}

    void Visit(CHyperOb* ob, int depth) {
        if (!ob || ob->GetCode().empty()) return;
        bool select = true;
        CConnection* c = ob->GetConnection();
        CSnapList* list = ob->GetSnapList(false);
        if (c && c->visitedMark) {
            c->visitedMark = 0;
            for (const auto& end : c->ends)
                if (!end.target.empty()) Visit(page_.FindObjectByCode(end.target), depth + 1);
        } else if (list && !list->routeList().empty()) {
            std::vector<CHyperOb*> attached = std::move(list->routeList());
            list->routeList().clear();
            for (CHyperOb* o : attached) Visit(o, depth + 1);
        } else {
            select = false;
        }
        if (select && page_.editMode && depth > 0) {
            if (selection.empty()) selection.push_back(start_);
            if (std::find(selection.begin(), selection.end(), ob) == selection.end()) selection.push_back(ob);
        }
    }

    std::vector<CHyperOb*> selection;

private:
    CHyperPage& page_;
    CHyperOb* start_;
};

}  // namespace

std::vector<CHyperOb*> RouteConnected(CHyperPage& page, CHyperOb* start) {
    // Every line marks itself and joins the lists of the objects it hangs on.
    for (const auto& ob : page.objects()) {
        CConnection* c = ob->GetConnection();
        if (!c) continue;
        c->visitedMark = 1;
        for (const auto& end : c->ends) {
            if (!end.IsAttached()) continue;
            CHyperOb* target = page.FindObjectByCode(end.target);
            CSnapList* list = target ? target->GetSnapList(false) : nullptr;
            if (list && std::find(list->routeList().begin(), list->routeList().end(), ob.get()) == list->routeList().end())
                list->routeList().push_back(ob.get());
        }
    }
    CRouteWalk walk(page, start);
    walk.Visit(start, 0);
    for (const auto& ob : page.objects()) {
        if (CConnection* c = ob->GetConnection()) c->visitedMark = 0;
        if (CSnapList* list = ob->GetSnapList(false)) list->routeList().clear();
    }
    page.InvalidateAll();
    return walk.selection;
}

}  // namespace vx::shapes
