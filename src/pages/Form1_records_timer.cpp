// The page timer record, "picture3": the target and the actions of an invisible page object. It
// is neither placed nor shown; a target above 0 starts the count at once.
#include "pages/PageBuilder.h"

void PageBuilder::picture3() {
    auto m = [&]() -> controls::timer& { return f.picture3[Index()]; };
    Create(f.picture3);
    step([&] { m().Text(F(3)); });
    step([&] { m().Tag(F(8)); });
}

void page_events::picture3Events(Form1& f) {
    f.picture3.Design([&f](controls::timer& t) { t.Timer = [&f](int i) { f.picture3_Timer(i); }; });
}
