#include "console/CommandTables.h"

void RegisterFixedCommands(TComponent& Form, std::span<const TFixedCommand> Commands,
                           const std::function<void(int Command, int Value)>& Send) {
  for (const TFixedCommand& row : Commands)
    Form.RegisterHandler<void(TObject*)>(row.Handler, [Send, row](TObject*) { Send(row.Command, row.Value); });
}

void RegisterWindowOpeners(TComponent& Form, std::span<const TWindowOpener> Openers) {
  for (const TWindowOpener& row : Openers)
    Form.RegisterHandler<void(TObject*)>(row.Handler, [window = row.Window](TObject*) { window()->Show(); });
}
