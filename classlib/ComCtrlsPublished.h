// The form reader's knowledge of the page control, the list view and the image list: a unit
// whose form text holds them calls this once before reading it (it links their published
// properties into the program and registers the classes).
#pragma once

bool ComCtrlsClassesPublished();
