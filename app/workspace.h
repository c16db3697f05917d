#pragma once

// The program's state objects together: the one place that knows them all. The desktop windows and the
// command-line companion each build one.

#include "core/astro_module.h"
#include "display/grid_model.h"
#include "app/main_model.h"
#include "settings/configure_model.h"
#include "text/language.h"
#include "tools/run_model.h"

namespace orvane::app {

// The state objects of the program that a computation reads and writes. The desktop windows and the
// command-line companion each hold one.
struct Workspace {
    text::Language language;
    core::AstroModule astro;
    MainModel main;
    display::GridModel grid;
    settings::ConfigureModel configure;
    tools::RunDialogModel runDialog;
    tools::RunState run;
};

}  // namespace orvane::app
