// Registers the shape classes with the class registry, so that design
// files and the clipboard can create them by name.
#pragma once

void RegisterShapeClasses();
