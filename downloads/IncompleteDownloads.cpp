// The incomplete-download listing is not built yet: DOWNLOAD FOLDER only switches the page.
#include "app/Form1.h"

namespace morvane {

void Form1::ListIncompleteDownloads() {}

} // namespace morvane
