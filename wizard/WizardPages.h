#pragma once

namespace ergotab {

class PageBuilder;

// The contents of the wizard's pages, one function per page, in page order.
void buildUvodPage(PageBuilder &b);
void buildPrachPage(PageBuilder &b);
void buildChemPage(PageBuilder &b);
void buildChem1Page(PageBuilder &b);
void buildHlukPage(PageBuilder &b);
void buildVibrPage(PageBuilder &b);
void buildVibr1Page(PageBuilder &b);
void buildVibr2Page(PageBuilder &b);
void buildNeionPage(PageBuilder &b);
void buildFyz1Page(PageBuilder &b);
void buildFyz2Page(PageBuilder &b);
void buildFyz3Page(PageBuilder &b);
void buildFyz4Page(PageBuilder &b);
void buildPol1Page(PageBuilder &b);
void buildTeploPage(PageBuilder &b);
void buildChladPage(PageBuilder &b);
void buildPsychPage(PageBuilder &b);
void buildZrakPage(PageBuilder &b);
void buildBioPage(PageBuilder &b);
void buildTlakPage(PageBuilder &b);
void buildZaverPage(PageBuilder &b);

} // namespace ergotab
