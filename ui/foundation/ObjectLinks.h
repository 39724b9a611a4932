#pragma once
// Weak references: a link to an object reads null once the object is gone.
//
// Holders create a link, read LinkedObject after anything that may have destroyed the object, and
// free the link when done. Objects referred to through links call InvalidateObjectLinks for
// themselves on destruction (every TcxComponent does).
#include <vector>

#include "platform/classes/Object.h"

class TcxObjectLink : public TObject {
  VW_CLASS(TcxObjectLink, TObject)
 public:
  explicit TcxObjectLink(TObject* AObject) : LinkedObject(AObject) {}

  TObject* LinkedObject;
};

// Keeps the links whose objects are alive. One exists while any link does.
class TcxObjectLinkController : public TObject {
  VW_CLASS(TcxObjectLinkController, TObject)
 public:
  TcxObjectLinkController() = default;

  std::vector<TcxObjectLink*> Links;
};

// Null for a null object, and nothing is counted then.
TcxObjectLink* CreateObjectLink(TObject* Obj);
// Nothing for null; frees the link whether its object is alive or not.
void FreeObjectLink(TcxObjectLink* Link);
// Clears every live link to Obj; the links stay allocated until their holders free them.
void InvalidateObjectLinks(TObject* Obj);

// A link held for a scope around calls that may free its object.
class TcxObjectLinkScope {
 public:
  explicit TcxObjectLinkScope(TObject* Obj) : FLink(CreateObjectLink(Obj)) {}
  ~TcxObjectLinkScope() { FreeObjectLink(FLink); }
  TcxObjectLinkScope(const TcxObjectLinkScope&) = delete;
  TcxObjectLinkScope& operator=(const TcxObjectLinkScope&) = delete;
  bool Alive() const { return FLink && FLink->LinkedObject; }

 private:
  TcxObjectLink* FLink;
};

// Links created and not yet freed.
int ObjectLinkUsers();
// The controller while any link exists, else null.
TcxObjectLinkController* ObjectLinkController();
