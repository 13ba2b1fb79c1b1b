#pragma once
// DOWNLOAD FILTER and the running-filter page: the category rows, the choice of a destination,
// START FILTER, its passes on the timer and STOP FILTER.

#include "filter/FilterPass.h"
#include "filter/FilterRules.h"

namespace morvane {

class MainWindow;

class FilterView {
public:
    explicit FilterView(MainWindow& window) : w_(window) {}
    void connect();

    void showFilters(const FilterCategories& filters);
    void chooseFilterFolder_Click(int index);
    void StartFilter();
    void StopFilter();
    void filterTimer_Timer();
    // One look at the download folder with the settings the profile has now, moving what an
    // active category takes and reporting into the running page's lists.
    FilterPassResult FilterPass();

private:
    void RunFilterPasses(bool queue);
    MainWindow& w_;
};

} // namespace morvane
