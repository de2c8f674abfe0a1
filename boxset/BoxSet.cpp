#include "boxset/BoxSet.h"

#include "aliens/Starbreach1.h"
#include "helicopter/Helicoptergame.h"
#include "launcher/Mainform.h"
#include "results/Pondleap4.h"
#include "results/Pondleap5.h"
#include "results/Starbreach2.h"
#include "results/Starbreach3.h"
#include "roadcross/Pondleap1.h"
#include "roadcross/Pondleap2.h"
#include "roadcross/Pondleap3.h"
#include "stage/Stage.h"

#include <memory>

namespace tolvane {

namespace {

template <typename W> void add(Stage& stage, std::string_view name)
{
    stage.add_window(name, [](Stage& s) { return std::make_unique<W>(s); });
}

} // namespace

void add_box_set_windows(Stage& stage)
{
    add<Mainform>(stage, "Mainform");
    add<Pondleap1>(stage, "Pondleap1");
    add<Pondleap2>(stage, "Pondleap2");
    add<Pondleap3>(stage, "Pondleap3");
    add<Pondleap4>(stage, "Pondleap4");
    add<Pondleap5>(stage, "Pondleap5");
    add<Starbreach1>(stage, "Starbreach1");
    add<Starbreach2>(stage, "Starbreach2");
    add<Starbreach3>(stage, "Starbreach3");
    add<Helicoptergame>(stage, "Helicoptergame");
}

} // namespace tolvane
