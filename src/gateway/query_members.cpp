// The members that run statements: executeQuery, executeUpdate, execute.
#include <climits>

#include "gateway/condition_store.h"
#include "gateway/gateway_xml_parser.h"
#include "gateway/maltrove_dbgateway_ctrl.h"
#include "gateway/preview_dialog.h"
#include "shared/odbc_database.h"
#include "shared/odbc_recordset.h"
#include "shared/trim.h"
#include "shared/xml_escape.h"

namespace maltrove {

namespace {

constexpr char kFailed[] = "-1";

int32_t CountAsLong(long long count) {
  return count > INT32_MAX ? INT32_MAX : static_cast<int32_t>(count < 0 ? 0 : count);
}

// The rows of an open record set as the body of a vector document; returns
// the number of rows written. One pass: the caller puts the count in front.
int WriteRows(CxDBARecordset& records, const std::string& rootNode,
              const std::vector<CDBGFieldInfo>& columns, std::string* body) {
  records.MoveFirst();  // an empty result raises no-data-found here
  const int available = records.ColumnCount();
  std::string value;  // one buffer for every value
  int count = 0;
  while (!records.IsEOF()) {
    body->append("\t<data vectorkey=\"").append(std::to_string(count)).append("\">\r\n");
    body->append("\t\t<").append(rootNode).append(">\r\n");
    for (size_t i = 0; i < columns.size(); ++i) {
      value.clear();
      if (static_cast<int>(i) < available) records.Value(static_cast<int>(i)).AppendText(true, &value);
      body->append("\t\t\t<").append(columns[i].name).append(" value=\"");
      AppendXmlEscaped(body, TrimBlanks(value));
      body->append("\"/>\r\n");
    }
    body->append("\t\t</").append(rootNode).append(">\r\n\t</data>\r\n");
    ++count;
    records.MoveNext();
  }
  return count;
}

}  // namespace

std::string CMaltroveDBGatewayCtrl::executeQuery(const std::string& query,
                                                 const std::string& rootNode,
                                                 const std::string& mappingXml,
                                                 const std::string& dataTypeXml,
                                                 int32_t errorMessage, int32_t preview,
                                                 const std::string& conditionId) {
  const ConditionStore conditions(baseFolder_);
  std::string condition = conditions.Read(conditionId);
  std::vector<CDBGFieldInfo> columns;
  const std::string encoding = characterSet_.empty() ? "utf-8" : characterSet_;
  std::string result = kFailed;
  const std::string connection = ConnectionString();
  bool ready = CGateWayXMLParser(parserVersion_, &columns)
                   .Read(mappingXml, CGateWayXMLParser::kMapping, encoding);
  if (ready && !dataTypeXml.empty()) {
    ready = CGateWayXMLParser(parserVersion_, &columns)
                .Read(dataTypeXml, CGateWayXMLParser::kDataTypes, encoding);
  }
  ready = ready && !connection.empty() && !query.empty();
  std::string statement = StatementText(query, condition);
  if (ready && preview != 0) {
    CPreviewDlg dialog(connection, query, condition, !conditionId.empty(), columns);
    if (!dialog.DoModal(services_.ui)) return {};
    condition = dialog.condition();
    statement = query + " " + condition;
    conditions.Save(conditionId, condition);
  }
  if (ready) {
    CxDBARecordset records;
    if (records.Open(connection, statement)) {
      try {
        std::string body;
        const int count = WriteRows(records, rootNode, columns, &body);
        std::string head = "<vector condition='";
        AppendXmlEscaped(&head, condition);
        head.append("' result=\"").append(std::to_string(count)).append("\">\r\n");
        result.clear();
        result.reserve(head.size() + body.size() + 12);
        result.append(head).append(body).append("</vector>\r\n");
      } catch (const DatabaseError&) {
        result = kFailed;
      }
      records.Close();
    }
  }
  if (result == kFailed) ShowFailure(errorMessage);
  return result;
}

int32_t CMaltroveDBGatewayCtrl::executeUpdate(const std::string& query, int32_t errorMessage,
                                              const std::string& conditionId) {
  const std::string statement =
      StatementText(query, ConditionStore(baseFolder_).Read(conditionId));
  if (!connectionString_.empty() && !statement.empty()) {
    try {
      return CountAsLong(ExecuteOnSharedConnection(statement));
    } catch (const DatabaseError&) {
    }
  }
  ShowFailure(errorMessage);
  return -1;
}

// A connection that broke (a server restarted) is opened again once, before
// the next statement; the statement that met the break is not run twice, as
// it may have taken effect before the link went.
long long CMaltroveDBGatewayCtrl::ExecuteOnSharedConnection(const std::string& statement) {
  if (connectionLost_) {
    connection_->Open(connectionString_);
    connectionLost_ = false;
  }
  try {
    return connection_->ExecuteSQLCount(statement);
  } catch (const DatabaseError& error) {
    if (connection_->IsLost(error)) {
      connection_->Close();
      connectionLost_ = true;
    }
    throw;
  }
}

int32_t CMaltroveDBGatewayCtrl::execute(const std::string& query, int32_t errorMessage,
                                        const std::string& conditionId) {
  const std::string statement =
      StatementText(query, ConditionStore(baseFolder_).Read(conditionId));
  const std::string connection = ConnectionString();
  if (!connection.empty() && !statement.empty()) {
    try {
      CDatabaseEx database;
      if (database.Open(connection) && database.DescribeParameters(statement)) {
        return CountAsLong(database.ExecuteSQLCount(statement));
      }
    } catch (const DatabaseError&) {
    }
  }
  ShowFailure(errorMessage);
  return -1;
}

}  // namespace maltrove
