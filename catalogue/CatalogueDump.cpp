#include "catalogue/CatalogueDump.h"

#include "catalogue/Catalogue.h"
#include "model/DumpContext.h"

namespace {

void DumpImage(CDumpContext& dc, std::string_view key, const CDib* dib) {
    if (!dib) {
        dc.Null(key);
        return;
    }
    dc.BeginObject(key);
    dc.Field("bytes", int64_t(dib->bytes().size()));
    vx::BmpView view;
    std::string why;
    if (dib->Parse(view, &why)) {
        dc.Field("width", view.width);
        dc.Field("height", view.height);
        dc.Field("bitCount", view.bitCount);
    } else if (!dib->IsEmpty()) {
        dc.Field("damaged", why);
    }
    dc.EndObject();
}

void DumpEntries(CDumpContext& dc, const CCatalogueOb& ob) {
    dc.BeginArray("entries");
    for (size_t i = 0; i < ob.EntryCount(); ++i) {
        dc.BeginObject();
        dc.Field("format", ob.formatAt(i));
        dc.Field("name", ob.formatNameAt(i));
        dc.Field("size", ob.sizeAt(i));
        dc.EndObject();
    }
    dc.EndArray();
}

}  // namespace

std::string DumpCatalogueJson(const CCatalogue& cat) {
    CDumpContext dc;
    dc.BeginObject();
    dc.Field("name", cat.name());
    dc.BeginArray("items");
    for (size_t i = 0; i < cat.ItemCount(); ++i) {
        const CCatalogueOb& ob = cat.item(i);
        dc.BeginObject();
        dc.Field("name", ob.name());
        DumpImage(dc, "icon", ob.colourImage());
        DumpImage(dc, "mask", ob.maskImage());
        DumpEntries(dc, ob);
        dc.EndObject();
    }
    dc.EndArray();
    dc.BeginObject("properties");
    DumpEntries(dc, cat.propertyObject());
    dc.EndObject();
    dc.EndObject();
    return dc.str();
}
