#include "uml/UmlClasses.h"

#include <iterator>

#include "command/CommandIds.h"
#include "uml/ClassOb.h"
#include "uml/DesignElements.h"
#include "uml/VexelConn.h"

namespace vx::uml {
namespace {

const ElementTool kTools[] = {
    {vx::tool::kAssociation, &CVexelConn::classInfo},
    {vx::tool::kActor, &CActorOb::classInfo},       {vx::tool::kClass, &CClassOb::classInfo},
    {vx::tool::kPackage, &CPackageOb::classInfo},   {vx::tool::kComponent, &CComponentOb::classInfo},
    {vx::tool::kNode, &CNodeOb::classInfo},         {vx::tool::kUseCase, &CUseCaseOb::classInfo},
    {vx::tool::kNote, &CNoteOb::classInfo},
};

}  // namespace

const ElementTool* ElementTools(size_t& count) {
    count = std::size(kTools);
    return kTools;
}

}  // namespace vx::uml

void RegisterUmlClasses() {
    auto& r = CClassRegistry::Instance();
    for (const CClassInfo* c : {&CActorOb::classInfo, &CUseCaseOb::classInfo,
                                &CPackageOb::classInfo, &CComponentOb::classInfo, &CNodeOb::classInfo,
                                &CNoteOb::classInfo, &CClassOb::classInfo})
        r.Register(*c);
    r.Register(CVexelConn::classInfo);
}
