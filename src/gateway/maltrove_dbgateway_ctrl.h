// CMaltroveDBGatewayCtrl: the database gateway control that script creates.
// It keeps the data-source name in an enciphered file, saved conditions in
// text files, runs SQL over ODBC and hands rows back as vector XML. It has no
// window and no events.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "automation/dispatch_impl.h"
#include "platform/services.h"

namespace maltrove {

class CDatabaseEx;

inline constexpr char kGatewayCaption[] = "MaltroveDBGateWay";
inline constexpr char kQueryFailedMessage[] = "해당 쿼리를 실행할 수 없습니다.";

class CMaltroveDBGatewayCtrl : public automation::DispatchImpl<CMaltroveDBGatewayCtrl> {
 public:
  explicit CMaltroveDBGatewayCtrl(const platform::Services& services);
  ~CMaltroveDBGatewayCtrl() override;

  static const automation::MemberTable<CMaltroveDBGatewayCtrl>& Table();
  static const std::vector<automation::EventInfo>& EventList();
  template <class C> C& part();

  void LoadProperties(const automation::PropertyBag& bag) override;
  automation::PropertyBag SaveProperties() override;

  int32_t setDSN(const std::string& dsn, const std::string& id, const std::string& password);
  std::string getDSN();
  std::string executeQuery(const std::string& query, const std::string& rootNode,
                           const std::string& mappingXml, const std::string& dataTypeXml,
                           int32_t errorMessage, int32_t preview, const std::string& conditionId);
  int32_t executeUpdate(const std::string& query, int32_t errorMessage,
                        const std::string& conditionId);
  int32_t execute(const std::string& query, int32_t errorMessage, const std::string& conditionId);
  int32_t setCondition(const std::string& key, const std::string& text);
  int32_t dbConnect();
  int32_t dbClose();
  std::string getVersion() const;

  const std::string& baseFolder() const { return baseFolder_; }
  const std::string& dsnPath() const { return dsnPath_; }

 private:
  std::string ConnectionString() const;
  void ShowFailure(int32_t errorMessage) const;
  long long ExecuteOnSharedConnection(const std::string& statement);

  platform::Services services_;
  std::string dsnPath_;
  std::string baseFolder_;
  int32_t parserVersion_ = 0;
  std::string connectionString_;
  std::unique_ptr<CDatabaseEx> connection_;
  bool connectionLost_ = false;  // the shared connection broke; reopened by the next call
  std::string characterSet_;
};

}  // namespace maltrove
