// The JSON of `vexelwork catalogue dump`: stable (fields in stored order,
// one per line, no paths or offsets), for reading and diffing catalogues.
#pragma once

#include <string>

class CCatalogue;

std::string DumpCatalogueJson(const CCatalogue& cat);
