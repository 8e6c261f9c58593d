#include "gateway/maltrove_dbgateway_ctrl.h"

#include <cstdlib>

#include "gateway/condition_store.h"
#include "gateway/dsn_store.h"
#include "gateway/gateway_registration.h"
#include "platform/temp_folder.h"
#include "platform/user_interface.h"
#include "shared/odbc_database.h"
#include "shared/trim.h"

namespace maltrove {

namespace {

constexpr char kFolderName[] = "MVDBG/";
constexpr char kDsnFile[] = "dsn/dsn.inf";

}  // namespace

CMaltroveDBGatewayCtrl::CMaltroveDBGatewayCtrl(const platform::Services& services)
    : services_(services),
      dsnPath_(platform::TempFolder() + kFolderName + kDsnFile),
      baseFolder_(platform::TempFolder() + kFolderName),
      connection_(std::make_unique<CDatabaseEx>()) {}

CMaltroveDBGatewayCtrl::~CMaltroveDBGatewayCtrl() = default;

void CMaltroveDBGatewayCtrl::LoadProperties(const automation::PropertyBag& bag) {
  if (auto it = bag.find("parserVersion"); it != bag.end()) {
    parserVersion_ = std::atoi(it->second.c_str());
  }
  if (auto it = bag.find("tempURL"); it != bag.end()) {
    const std::string folder(TrimBlanks(it->second));
    if (!folder.empty()) {
      baseFolder_ = folder.back() == '/' ? folder : folder + "/";
      dsnPath_ = baseFolder_ + kDsnFile;
    }
  }
  if (auto it = bag.find("characterSet"); it != bag.end()) characterSet_ = it->second;
}

automation::PropertyBag CMaltroveDBGatewayCtrl::SaveProperties() {
  return {{"parserVersion", std::to_string(parserVersion_)},
          {"tempURL", baseFolder_},
          {"characterSet", characterSet_}};
}

std::string CMaltroveDBGatewayCtrl::getVersion() const { return gateway_registration::kVersion; }

int32_t CMaltroveDBGatewayCtrl::setDSN(const std::string& dsn, const std::string& id,
                                       const std::string& password) {
  return DsnStore(dsnPath_).Write(dsn, id, password) ? 1 : 0;
}

std::string CMaltroveDBGatewayCtrl::getDSN() { return DsnStore(dsnPath_).DsnInfoXml(); }

std::string CMaltroveDBGatewayCtrl::ConnectionString() const {
  return DsnStore(dsnPath_).ConnectionString();
}

int32_t CMaltroveDBGatewayCtrl::setCondition(const std::string& key, const std::string& text) {
  return ConditionStore(baseFolder_).Save(key, text);
}

void CMaltroveDBGatewayCtrl::ShowFailure(int32_t errorMessage) const {
  if (errorMessage != 0 && services_.ui != nullptr) {
    services_.ui->ShowMessage(kGatewayCaption, kQueryFailedMessage,
                              platform::MessageBoxButtons::kOk);
  }
}

int32_t CMaltroveDBGatewayCtrl::dbConnect() {
  connectionString_ = ConnectionString();
  connection_->Close();
  connectionLost_ = false;
  // Connection errors are not caught: they reach script as the call's error.
  return connection_->Open(connectionString_) ? 1 : 0;
}

int32_t CMaltroveDBGatewayCtrl::dbClose() {
  connection_->Close();
  connectionLost_ = false;
  return 1;
}

const std::vector<automation::EventInfo>& CMaltroveDBGatewayCtrl::EventList() {
  static const std::vector<automation::EventInfo> none;
  return none;
}

const automation::MemberTable<CMaltroveDBGatewayCtrl>& CMaltroveDBGatewayCtrl::Table() {
  using C = CMaltroveDBGatewayCtrl;
  static const automation::MemberTable<C> table = [] {
    automation::MemberTable<C> t;
    t.Method(1, "setDSN", &C::setDSN);
    t.Method(2, "getDSN", &C::getDSN);
    t.Method(3, "executeQuery", &C::executeQuery);
    t.Method(4, "executeUpdate", &C::executeUpdate);
    t.Method(5, "execute", &C::execute);
    t.Method(6, "setCondition", &C::setCondition);
    t.Method(7, "dbConnect", &C::dbConnect);
    t.Method(8, "dbClose", &C::dbClose);
    t.Method(9, "getVersion", &C::getVersion);
    return t;
  }();
  return table;
}

}  // namespace maltrove
