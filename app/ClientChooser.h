#pragma once
// The chooser: asked at the first start which installed client the program serves.

#include <string>

#include "platform/Services.h"
#include "platform/ui/Controls.h"

namespace morvane {

class MainWindow;

class ClientChooser {
public:
    ClientChooser(MainWindow& main, Services& services);

    ui::Window window;
    ui::Button button_grokster;
    ui::Button button_kazaa;

    // Tests which clients are installed. False when none is: the program has ended.
    bool Form_Load();
    void button_grokster_Click() { SelectApplication("Grokster"); }
    void button_kazaa_Click() { SelectApplication("Kazaa"); }
    void SelectApplication(const std::string& name);

    // A choice was made while the chooser was shown.
    bool chosen() const { return chosen_; }

private:
    MainWindow& main_;
    Services& sys_;
    bool chosen_ = false;
};

} // namespace morvane
