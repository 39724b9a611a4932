#pragma once
// Form descriptions: the text a form is stored in beside its code.
//
//   object Form1: TForm1
//     Caption = 'Console'
//     Font.Name = 'Tahoma'
//     Options = [ofOne, ofTwo]
//     Items.Strings = (
//       'first'
//       'second')
//     Data = {
//       0A0B0C0D}
//     Columns = <
//       item
//         Width = 80
//       end>
//     OnClick = FormClick
//     object Button1: TButton
//     end
//   end
//
// The text converts to and from the stored binary form that TReader and TWriter work on; strings
// are UTF-8 between quotes, control characters as #nn.
#include "platform/classes/Filer.h"

// Raises EParserError ("... on line N") on text that is no form description.
void ObjectTextToBinary(TStream* Input, TStream* Output);
// Raises EReadError on a stream that is no stored component.
void ObjectBinaryToText(TStream* Input, TStream* Output);

// The text of a component as its form description.
String ComponentToFormText(TComponent* Component);
// Reads a form description into Instance (or, when null, into a new component of the stored class).
TComponent* FormTextToComponent(const String& Text, TComponent* Instance);
// Reads the form description embedded in the program under ResName (resource type "FORM"; by
// default the instance's class name) into Instance. Raises EResNotFound when there is none.
void ReadFormResource(TComponent* Instance, const String& ResName);
void ReadFormResource(TComponent* Instance);
