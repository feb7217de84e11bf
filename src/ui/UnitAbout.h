#pragma once

#include "ProgramVersion.h"
#include "ui/widgets/Form.h"
#include "ui/widgets/StdCtrls.h"

namespace tvm {

class SystemService;

// The About box: the program's name and version.
class TAboutForm : public TForm {
public:
    TAboutForm(TApplication& app, SystemService& system);

    TPanel Panel1{*this};
    TImage ProgramIcon{*this};
    TLabel Label1{*this};
    TLabel verLabel{*this};
    TLabel StaticText1{*this};
    TLabel langLabel{*this};
    TLabel StaticText2{*this};
    TButton CloseBitBtn{*this};

private:
    SystemService& system_;
};

// The version shown in the About box: the project's version (CMakeLists.txt).
inline constexpr const char* kProgramVersion = TAVELMORIND_VERSION;

} // namespace tvm
