// The filter's name matching on any name, extension lists, destinations and download folder:
// the category is the lowest one that would take the file on its own, a taken file has an
// extension its category's list holds, and incomplete downloads are never taken.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "filter/FilterRules.h"
#include "fuzz/FuzzPlatform.h"
#include "platform/PathRules.h"

namespace {

// The input's lines: the name, the download folder, then list and folder of each category.
std::vector<std::string> fields(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> out(2 + 2 * morvane::kFilterCategories);
    std::size_t field = 0;
    for (std::size_t i = 0; i < size && field < out.size(); ++i) {
        if (data[i] == '\n')
            ++field;
        else
            out[field] += static_cast<char>(data[i]);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using morvane::fuzz::Check;
    const std::vector<std::string> in = fields(data, size);
    // The pass hands over the lower-cased name.
    const std::string name = morvane::LowerCase(in[0]);
    const std::string& downloads = in[1];
    morvane::FilterCategories categories;
    for (std::size_t i = 0; i < categories.size(); ++i)
        categories[i] = {in[2 + 2 * i], in[3 + 2 * i]};

    const int category = morvane::FilterCategoryOf(name, categories, downloads);
    Check(category >= -1 && category < morvane::kFilterCategories, "category out of range");

    // Each category alone takes the file or not; the lowest that would is the one chosen.
    int lowest = -1;
    for (int j = morvane::kFilterCategories - 1; j >= 0; --j) {
        morvane::FilterCategories alone{};
        alone[static_cast<std::size_t>(j)] = categories[static_cast<std::size_t>(j)];
        const int taken = morvane::FilterCategoryOf(name, alone, downloads);
        Check(taken == -1 || taken == j, "a category alone gave another's index");
        if (taken == j)
            lowest = j;
    }
    Check(category == lowest, "not the lowest category that takes the file");

    const std::string extension = morvane::FileExtensionOf(name);
    const std::size_t dot = name.find('.');
    Check(dot == std::string::npos ? extension.empty() : extension == name.substr(dot + 1),
          "the extension is not what follows the first dot");
    if (category >= 0) {
        const morvane::FilterCategory& taker = categories[static_cast<std::size_t>(category)];
        Check(!extension.empty() && extension != "dat", "a file without extension or a .dat taken");
        Check(taker.extensions.find(extension) != std::string::npos,
              "taken by a list that does not hold its extension");
        Check(!taker.folder.empty(), "taken by a category without a folder");
    }
    return 0;
}
