#include "ui/foundation/ObjectLinks.h"

#include <algorithm>

namespace {
// Everything runs on the UI thread, as do the objects' destructors that invalidate links.
TcxObjectLinkController* gController = nullptr;
int gUsers = 0;
}  // namespace

TcxObjectLink* CreateObjectLink(TObject* Obj) {
  if (!Obj) return nullptr;
  if (gUsers++ == 0) gController = new TcxObjectLinkController;
  auto* link = new TcxObjectLink(Obj);
  gController->Links.push_back(link);
  return link;
}

void FreeObjectLink(TcxObjectLink* Link) {
  if (!Link) return;
  if (Link->LinkedObject) std::erase(gController->Links, Link);
  delete Link;
  if (--gUsers == 0) FreeAndNil(gController);
}

void InvalidateObjectLinks(TObject* Obj) {
  if (!gController || !Obj) return;
  auto& links = gController->Links;
  for (TcxObjectLink* link : links)
    if (link->LinkedObject == Obj) link->LinkedObject = nullptr;
  std::erase_if(links, [](TcxObjectLink* link) { return link->LinkedObject == nullptr; });
}

int ObjectLinkUsers() { return gUsers; }

TcxObjectLinkController* ObjectLinkController() { return gController; }
