#include <gtest/gtest.h>
#include <json/value.h>

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "callcontrol/Lvl2RawCmdEvt.h"
#include "callcontrol/RawCmdConferencedEvent.h"
#include "callcontrol/RawCmdEvent.h"
#include "callcontrol/RawCmdEventFactory.h"
#include "messages/QelMessage.h"
#include "messages/TextHelpers.h"
#include "tests/support/PageText.h"

namespace {

// How the case's text reaches the event: as the payload the message
// factory hands to the creator, or as the whole server text, whose first
// four fields (prefix, service, command, ids) the parser takes off.
enum Form { kBody, kServer };

struct EventCase {
  const char* what;
  Form form;
  const char* text;
  const char* page;  // the JSON text posted, without its final line feed
};

// Builds the message as the parser and the message factory do.
std::unique_ptr<Lvl2RawCmdEvt> receive(Form form, const std::string& text) {
  if (form == kBody) return std::make_unique<Lvl2RawCmdEvt>(kServiceLvl2, "RAWCMD", 0, 0, text);
  std::vector<std::string> head;
  splitFields(text, ',', 0, 5, &head);
  std::vector<std::string> ids;
  splitFields(head[3], ':', 0, 2, &ids);
  size_t payload = 0;
  for (int commas = 0; commas < 4; ++commas) payload = text.find(',', payload) + 1;
  return std::make_unique<Lvl2RawCmdEvt>(head[1], head[2], stringToInt(ids[0]), stringToInt(ids[1]),
                                         text.substr(payload));
}

TEST(Lvl2RawCmdEvtTest, EventTextToPagePost) {
  // clang-format off
  const EventCase cases[] = {
    {"empty payload", kBody, "",
     R"(null)"},
    {"three fields", kBody, "x,DE,y",
     R"(null)"},
    {"code without a class", kBody, "x,ZZ,y,z,1,2",
     R"(null)"},
    {"codes are case-sensitive: nbp", kBody, "x,nbp,y,z,12:201,5",
     R"(null)"},
    {"codes are case-sensitive: NBP", kBody, "x,NBP,y,z,12:201,5",
     R"(null)"},
    {"four fields: every member at its start", kBody, "x,DE,y,z",
     R"({"details":{"AccountCode":"","AlertingDevice":"","AlertingDeviceType":"","AlertingOutsideNumber":"","AlertingPdnID":"","CallerName":"","CallerNumber":"","CallingDeviceID":"","CallingDeviceType":"","CallingPdnID":"","LastRedirectionDeviceID":"","LastRedirectionPdnID":"","LocalConnectionState":"","OriginallyCallDeviceID":"","OriginallyCallPdnID":"","TrunkName":"","TrunkNumber":"","eventCause":"unknown","handle":""},"type":2})"},
    {"trailing comma: an empty field 4", kBody, "x,CC,y,z,",
     R"({"details":{"EventCause":"unknown","handle":""},"type":21})"},
    {"fields are trimmed, the code too", kBody, "x, CC ,y,z, h1 , 3 ",
     R"({"details":{"EventCause":"busy","handle":"h1"},"type":21})"},
    {"server text: the ids are not read", kServer, "AE,LVL2OAI,RAWCMD,12:34,1,CC,2,3,h1,48",
     R"({"details":{"EventCause":"normalClearing","handle":"h1"},"type":21})"},
    {"server text of another service", kServer, "AE,DSS,RAWCMD,,1,CC,2,3,h1,3",
     R"({"details":{"EventCause":"busy","handle":"h1"},"type":21})"},
    {"server text: short frame", kServer, "AE,LVL2OAI,RAWCMD,12:34,1,CC,2",
     R"(null)"},
    {"server text: empty payload", kServer, "AE,LVL2OAI,RAWCMD,12:34,",
     R"(null)"},
    {"FA", kBody, "1,FA,2,3,h1,12:201,12:301,2,13",
     R"({"details":{"CalledNumber":"301","FailedDeviceID":"201","FailedPdnID":"12","LocalConnectionState":"2","handle":"h1","reason":"destNotObtainable"},"type":1})"},
    {"FA without cause", kBody, "1,FA,2,3,h1,12:201,12:301,2",
     R"({"details":{"CalledNumber":"301","FailedDeviceID":"201","FailedPdnID":"12","LocalConnectionState":"2","handle":"h1","reason":"unknown"},"type":1})"},
    {"DE", kBody, "1,DE,2,3,h1,12:201,12:9001,1,12:301,Smith,5551234,TK1,7,0,12:401,12:501,ACC9,3,22",
     R"({"details":{"AccountCode":"ACC9","AlertingDevice":"201","AlertingDeviceType":"1","AlertingOutsideNumber":"9001","AlertingPdnID":"12","CallerName":"Smith","CallerNumber":"5551234","CallingDeviceID":"301","CallingDeviceType":"0","CallingPdnID":"12","LastRedirectionDeviceID":"501","LastRedirectionPdnID":"12","LocalConnectionState":"3","OriginallyCallDeviceID":"401","OriginallyCallPdnID":"12","TrunkName":"TK1","TrunkNumber":"7","eventCause":"newCall","handle":"h1"},"type":2})"},
    {"DE of 15 fields", kBody, "1,DE,2,3,h1,12:201,12:9001,1,12:301,Smith,5551234,TK1,7,0,12:401",
     R"({"details":{"AccountCode":"","AlertingDevice":"201","AlertingDeviceType":"1","AlertingOutsideNumber":"9001","AlertingPdnID":"12","CallerName":"Smith","CallerNumber":"5551234","CallingDeviceID":"301","CallingDeviceType":"0","CallingPdnID":"12","LastRedirectionDeviceID":"","LastRedirectionPdnID":"","LocalConnectionState":"","OriginallyCallDeviceID":"401","OriginallyCallPdnID":"12","TrunkName":"TK1","TrunkNumber":"7","eventCause":"unknown","handle":"h1"},"type":2})"},
    {"DE of 25 fields", kBody, "1,DE,2,3,h1,12:201,12:9001,1,12:301,Smith,5551234,TK1,7,0,12:401,12:501,ACC9,3,22,a,b,c,d,e,f",
     R"({"details":{"AccountCode":"ACC9","AlertingDevice":"201","AlertingDeviceType":"1","AlertingOutsideNumber":"9001","AlertingPdnID":"12","CallerName":"Smith","CallerNumber":"5551234","CallingDeviceID":"301","CallingDeviceType":"0","CallingPdnID":"12","LastRedirectionDeviceID":"501","LastRedirectionPdnID":"12","LocalConnectionState":"3","OriginallyCallDeviceID":"401","OriginallyCallPdnID":"12","TrunkName":"TK1","TrunkNumber":"7","eventCause":"newCall","handle":"h1"},"type":2})"},
    {"DE with a quoted field", kBody, "1,DE,2,3,h1,12:201,,,12:301,|Smith, John|,5551234",
     R"({"details":{"AccountCode":"","AlertingDevice":"201","AlertingDeviceType":"","AlertingOutsideNumber":"","AlertingPdnID":"12","CallerName":"Smith, John","CallerNumber":"5551234","CallingDeviceID":"301","CallingDeviceType":"","CallingPdnID":"12","LastRedirectionDeviceID":"","LastRedirectionPdnID":"","LocalConnectionState":"","OriginallyCallDeviceID":"","OriginallyCallPdnID":"","TrunkName":"","TrunkNumber":"","eventCause":"unknown","handle":"h1"},"type":2})"},
    {"ES", kBody, "1,ES,2,3,h2,12:201,12:9001,1,12:301,5551234,7,0,12:401,12:501,3,22",
     R"({"details":{"LocalConnectionState":"3","answeringDeviceID":"201","answeringDeviceType":"1","answeringOutsideNumber":"9001","answeringPdnID":"12","callerNumber":"5551234","callingDevice":"301","callingDeviceType":"0","callingPdnID":"12","eventCause":"newCall","handle":"h2","lastRedirectionDevice":"501","lastRedirectionPdnID":"12","orginalCalledDeviceID":"401","orginalCalledPdnID":"12","trunkNumber":"7"},"type":6})"},
    {"ES of 6 fields", kBody, "1,ES,2,3,h2,12:201",
     R"({"details":{"LocalConnectionState":"","answeringDeviceID":"201","answeringDeviceType":"","answeringOutsideNumber":"","answeringPdnID":"12","callerNumber":"","callingDevice":"","callingDeviceType":"","callingPdnID":"","eventCause":"unknown","handle":"h2","lastRedirectionDevice":"","lastRedirectionPdnID":"","orginalCalledDeviceID":"","orginalCalledPdnID":"","trunkNumber":""},"type":6})"},
    {"SI", kBody, "1,SI,2,3,h3,12:201,1,99",
     R"({"details":{"LocalConnectionState":"1","devPdnID":"12","device":"201","handle":"h3"},"type":12})"},
    {"nTVF of 7 fields", kBody, "1,nTVF,2,3,h4,12:201,12:301",
     R"({"details":{"AlertingDevice":"201","AlertingPdnID":"12","AnnouceType":"","CallingDeviceID":"301","handle":"h4"},"type":14})"},
    {"nTVF of 9 fields", kBody, "1,nTVF,2,3,h4,12:201,12:301,2,extra",
     R"({"details":{"AlertingDevice":"201","AlertingPdnID":"12","AnnouceType":"2","CallingDeviceID":"301","handle":"h4"},"type":14})"},
    {"NT", kBody, "1,NT,2,3,h5,TK1,5551234,3,48",
     R"({"details":{"DialedNumber":"5551234","EventCause":"normalClearing","LocalConnectionState":"3","TrunkUsed":"TK1","handle":"h5"},"type":15})"},
    {"NT cause 0", kBody, "1,NT,2,3,h5,TK1,5551234,3,0",
     R"({"details":{"DialedNumber":"5551234","EventCause":"unknown","LocalConnectionState":"3","TrunkUsed":"TK1","handle":"h5"},"type":15})"},
    {"NT cause 57", kBody, "1,NT,2,3,h5,TK1,5551234,3,57",
     R"({"details":{"DialedNumber":"5551234","EventCause":"unknown","LocalConnectionState":"3","TrunkUsed":"TK1","handle":"h5"},"type":15})"},
    {"NT cause negative", kBody, "1,NT,2,3,h5,TK1,5551234,3,-48",
     R"({"details":{"DialedNumber":"5551234","EventCause":"unknown","LocalConnectionState":"3","TrunkUsed":"TK1","handle":"h5"},"type":15})"},
    {"CC cause 57", kBody, "1,CC,2,3,h14,57",
     R"({"details":{"EventCause":"unknown","handle":"h14"},"type":21})"},
    {"CC cause -1", kBody, "1,CC,2,3,h14,-1",
     R"({"details":{"EventCause":"unknown","handle":"h14"},"type":21})"},
    {"CC cause not a number", kBody, "1,CC,2,3,h14,busy",
     R"({"details":{"EventCause":"unknown","handle":"h14"},"type":21})"},
    {"CC cause beyond 32 bits", kBody, "1,CC,2,3,h14,4294967299",
     R"({"details":{"EventCause":"unknown","handle":"h14"},"type":21})"},
    {"CC cause 1", kBody, "1,CC,2,3,h14,1",
     R"({"details":{"EventCause":"activeMonitor","handle":"h14"},"type":21})"},
    {"CC cause 56", kBody, "1,CC,2,3,h14,56",
     R"({"details":{"EventCause":"timeout","handle":"h14"},"type":21})"},
    {"OR", kBody, "1,OR,2,3,h6,12:201,12:345,0,5551234,hidden,3,22",
     R"({"details":{"CallingDeviceID":"201","CallingDeviceType":"0","CallingPdnID":"12","DialedNumber":"5551234","LocalConnectionState":"3","OutsideCallerNumber":"345","eventCause":"newCall","handle":"h6"},"type":16})"},
    {"QU", kBody, "1,QU,2,3,h7,12:201,12:301,Smith,12:345,TK1,7,0,12:401,12:501,3,ACC9,1,22",
     R"({"details":{"AccountCode":"ACC9","CallingDeviceID":"301","CallingDeviceType":"0","CallingPdnID":"12","LastRedirectDeviceID":"501","LastRedirectPdnID":"12","LocalConnectionState":"1","NumberQueued":3,"OriginallyCalledDevice":"401","OriginallyCalledPdnID":"12","OutsideCallerName":"Smith","OutsideCallerNumber":"12:345","QueuedDeviceID":"201","QueuedPdnID":"12","TrunkName":"TK1","TrunkNumber":"7","eventCause":"newCall","handle":"h7"},"type":17})"},
    {"QU with an empty count", kBody, "1,QU,2,3,h7,12:201,12:301,Smith,12:345,TK1,7,0,12:401,12:501,,ACC9,1,22",
     R"({"details":{"AccountCode":"ACC9","CallingDeviceID":"301","CallingDeviceType":"0","CallingPdnID":"12","LastRedirectDeviceID":"501","LastRedirectPdnID":"12","LocalConnectionState":"1","NumberQueued":0,"OriginallyCalledDevice":"401","OriginallyCalledPdnID":"12","OutsideCallerName":"Smith","OutsideCallerNumber":"12:345","QueuedDeviceID":"201","QueuedPdnID":"12","TrunkName":"TK1","TrunkNumber":"7","eventCause":"newCall","handle":"h7"},"type":17})"},
    {"QU of 14 fields", kBody, "1,QU,2,3,h7,12:201,12:301,Smith,12:345,TK1,7,0,12:401,12:501",
     R"({"details":{"AccountCode":"","CallingDeviceID":"301","CallingDeviceType":"0","CallingPdnID":"12","LastRedirectDeviceID":"501","LastRedirectPdnID":"12","LocalConnectionState":"","NumberQueued":0,"OriginallyCalledDevice":"401","OriginallyCalledPdnID":"12","OutsideCallerName":"Smith","OutsideCallerNumber":"12:345","QueuedDeviceID":"201","QueuedPdnID":"12","TrunkName":"TK1","TrunkNumber":"7","eventCause":"unknown","handle":"h7"},"type":17})"},
    {"CALLINFO of 4 fields", kBody, "1,CALLINFO,2,3",
     R"({"details":{"handle":""},"type":18})"},
    {"CALLINFO of 5 fields", kBody, "1,CALLINFO,2,3,h8",
     R"({"details":{"handle":"h8"},"type":18})"},
    {"CALLINFO items in key order", kBody, "1,CALLINFO,2,3,h8,b=2\ta=1\tc",
     R"({"details":{"a":"1","b":"2","c":"","handle":"h8"},"type":18})"},
    {"CALLINFO value keeps further '='", kBody, "1,CALLINFO,2,3,h8,a=1=2",
     R"({"details":{"a":"1=2","handle":"h8"},"type":18})"},
    {"CALLINFO later item wins", kBody, "1,CALLINFO,2,3,h8,a=1\ta=2",
     R"({"details":{"a":"2","handle":"h8"},"type":18})"},
    {"CALLINFO empty key and empty part skipped", kBody, "1,CALLINFO,2,3,h8,=x\t\tk=v\t",
     R"({"details":{"handle":"h8","k":"v"},"type":18})"},
    {"CALLINFO item named handle", kBody, "1,CALLINFO,2,3,h8,handle=h9\tz=1",
     R"({"details":{"handle":"h9","z":"1"},"type":18})"},
    {"CALLINFO items trimmed", kBody, "1,CALLINFO,2,3,h8,  key  =  some value  \t y = 2 ",
     R"({"details":{"handle":"h8","key":"some value","y":"2"},"type":18})"},
    {"CALLINFO empty field 5", kBody, "1,CALLINFO,2,3,h8,,a=1",
     R"({"details":{"handle":"h8"},"type":18})"},
    {"CALLINFO quoted list", kBody, "1,CALLINFO,2,3,h8,|a=1,2\tb=3|",
     R"({"details":{"a":"1,2","b":"3","handle":"h8"},"type":18})"},
    {"HE of 4 fields", kBody, "1,HE,2,3",
     R"({"details":{"ActivateDeviceID":"","ActivatePdnID":"","LocalConnectionState":"","eventCause":"unknown","handle":""},"type":7})"},
    {"HE", kBody, "1,HE,2,3,h10,12:201,2,17",
     R"({"details":{"ActivateDeviceID":"201","ActivatePdnID":"12","LocalConnectionState":"2","eventCause":"keyOperation","handle":"h10"},"type":7})"},
    {"RE of 12 fields", kBody, "1,RE,2,3,h11,12:201,3,0,12:301,12:345,hidden,1",
     R"({"details":{"DeviceType":"1","HeldDeviceID":"301","HeldPdnID":"12","LocalConnectionState":"3","OutsideNumber":"345","devPdnID":"12","device":"201","eventCause":"unknown","handle":"h11"},"type":8})"},
    {"RE of 11 fields", kBody, "1,RE,2,3,h11,12:201,3,0,12:301,12:345,hidden",
     R"({"details":{"DeviceType":"","HeldDeviceID":"301","HeldPdnID":"12","LocalConnectionState":"3","OutsideNumber":"345","devPdnID":"12","device":"201","eventCause":"unknown","handle":"h11"},"type":8})"},
    {"TR of 20 fields", kBody, "1,TR,2,3,c1,12:201,12:301,12:999,12:401,Smith,5551234,a,b,c,7,x,y,z,w,v",
     R"({"details":{"announcementCallID":"999","callerName":"Smith","callerNumber":"5551234","receivingDeviceID":"401","receivingPdnID":"12","transferredCallID":"c1","transferredDeviceID":"301","transferredPdnID":"12","transferringDeviceID":"201","transferringPdnID":"12"},"type":9})"},
    {"DI", kBody, "1,DI,2,3,h12,12:201,12:301,12:345,hidden,4",
     R"({"details":{"OutsideNumber":"345","dest":"301","destPdnID":"12","from":"201","fromPdnID":"12","handle":"h12"},"type":10})"},
    {"CO of 8 fields", kBody, "1,CO,2,3,12:201,c1,c2,12:202",
     R"({"details":{"CauseDeviceID":"201","CausePdnID":"12","ControllingDeviceID":"202","ControllingPdnID":"12","PrimaryCallID":"c1","SecondaryCallID":"c2","parties":null,"pdns":null},"type":11})"},
    {"CO of 9 fields", kBody, "1,CO,2,3,12:201,c1,c2,12:202,2",
     R"({"details":{"CauseDeviceID":"201","CausePdnID":"12","ControllingDeviceID":"202","ControllingPdnID":"12","PrimaryCallID":"c1","SecondaryCallID":"c2","parties":null,"pdns":null},"type":11})"},
    {"CO list ending on the last field", kBody, "1,CO,2,3,12:201,c1,c2,12:202,2,12:3456,a,12:3457,b",
     R"({"details":{"CauseDeviceID":"201","CausePdnID":"12","ControllingDeviceID":"202","ControllingPdnID":"12","PrimaryCallID":"c1","SecondaryCallID":"c2","parties":null,"pdns":null},"type":11})"},
    {"CO list and a text", kBody, "1,CO,2,3,12:201,c1,c2,12:202,2,12:3456,a,12:3457,b,tail",
     R"({"details":{"CauseDeviceID":"201","CausePdnID":"12","ControllingDeviceID":"202","ControllingPdnID":"12","PrimaryCallID":"c1","SecondaryCallID":"c2","parties":["3456","3457"],"pdns":["12","12"]},"type":11})"},
    {"CO list, text and number", kBody, "1,CO,2,3,12:201,c1,c2,12:202,2,12:3456,a,3457,b,tail,5",
     R"({"details":{"CauseDeviceID":"201","CausePdnID":"12","ControllingDeviceID":"202","ControllingPdnID":"12","PrimaryCallID":"c1","SecondaryCallID":"c2","parties":["3456","3457"],"pdns":["12","3457"]},"type":11})"},
    {"CO count 2^30", kBody, "1,CO,2,3,12:201,c1,c2,12:202,1073741824,12:3456,a,tail",
     R"({"details":{"CauseDeviceID":"201","CausePdnID":"12","ControllingDeviceID":"202","ControllingPdnID":"12","PrimaryCallID":"c1","SecondaryCallID":"c2","parties":null,"pdns":null},"type":11})"},
    {"CO count beyond 32 bits", kBody, "1,CO,2,3,12:201,c1,c2,12:202,99999999999,12:3456,a,tail",
     R"({"details":{"CauseDeviceID":"201","CausePdnID":"12","ControllingDeviceID":"202","ControllingPdnID":"12","PrimaryCallID":"c1","SecondaryCallID":"c2","parties":null,"pdns":null},"type":11})"},
    // 2^32 + 2 would read as 2 if it wrapped, and two parties and a text follow.
    {"CO count that would wrap to 2", kBody, "1,CO,2,3,12:201,c1,c2,12:202,4294967298,12:3456,a,12:3457,b,tail",
     R"({"details":{"CauseDeviceID":"201","CausePdnID":"12","ControllingDeviceID":"202","ControllingPdnID":"12","PrimaryCallID":"c1","SecondaryCallID":"c2","parties":null,"pdns":null},"type":11})"},
    {"CO count INT_MIN", kBody, "1,CO,2,3,12:201,c1,c2,12:202,-2147483648,12:3456,a,tail",
     R"({"details":{"CauseDeviceID":"201","CausePdnID":"12","ControllingDeviceID":"202","ControllingPdnID":"12","PrimaryCallID":"c1","SecondaryCallID":"c2","parties":null,"pdns":null},"type":11})"},
    {"CO count 0", kBody, "1,CO,2,3,12:201,c1,c2,12:202,0,12:3456,a,tail",
     R"({"details":{"CauseDeviceID":"201","CausePdnID":"12","ControllingDeviceID":"202","ControllingPdnID":"12","PrimaryCallID":"c1","SecondaryCallID":"c2","parties":null,"pdns":null},"type":11})"},
    {"CO count not a number", kBody, "1,CO,2,3,12:201,c1,c2,12:202,x,12:3456,a,tail",
     R"({"details":{"CauseDeviceID":"201","CausePdnID":"12","ControllingDeviceID":"202","ControllingPdnID":"12","PrimaryCallID":"c1","SecondaryCallID":"c2","parties":null,"pdns":null},"type":11})"},
    {"CO quoted party", kBody, "1,CO,2,3,12:201,c1,c2,12:202,1,|12:3456|,|a,b|,tail",
     R"({"details":{"CauseDeviceID":"201","CausePdnID":"12","ControllingDeviceID":"202","ControllingPdnID":"12","PrimaryCallID":"c1","SecondaryCallID":"c2","parties":["3456"],"pdns":["12"]},"type":11})"},
    {"XC", kBody, "1,XC,2,3,h13,12:201,12:301,2:5,48",
     R"({"details":{"ClearedDeviceID":"201","ClearedPdnID":"12","LocalConnectionState":"2","TerminatingDevice":"301","TerminatingPdnID":"12","eventCause":"normalClearing","handle":"h13"},"type":3})"},
    {"XC state without colon", kBody, "1,XC,2,3,h13,12:201,12:301,2,48",
     R"({"details":{"ClearedDeviceID":"201","ClearedPdnID":"12","LocalConnectionState":"2","TerminatingDevice":"301","TerminatingPdnID":"12","eventCause":"normalClearing","handle":"h13"},"type":3})"},
    {"CC of 5 fields", kBody, "1,CC,2,3,h14",
     R"({"details":{"EventCause":"unknown","handle":"h14"},"type":21})"},
    {"CC", kBody, "1,CC,2,3,h14,3",
     R"({"details":{"EventCause":"busy","handle":"h14"},"type":21})"},
    {"SPCLCALL", kBody, "1,SPCLCALL,2,3,h15,a,b,c",
     R"({"details":{"handle":"h15"},"type":20})"},
    {"nBP of 6 fields", kBody, "1,nBP,2,3,12:201,5",
     R"({"details":{"Button":"5","DevPdnID":"12","DeviceID":"201"},"type":22})"},
    {"nBP of 9 fields", kBody, "1,nBP,2,3,12:201,5,a,b,c",
     R"({"details":{"Button":"5","DevPdnID":"12","DeviceID":"201"},"type":22})"},
    {"DND of 5 fields", kBody, "1,DND,2,3,12:201",
     R"({"details":{"device":"201","devicePdnID":"12","dndmessage":"","dndtext":""},"type":23})"},
    {"DND", kBody, "1,DND,2,3,12:201,on,|Back at 3, room 2|",
     R"({"details":{"device":"201","devicePdnID":"12","dndmessage":"on","dndtext":"Back at 3, room 2"},"type":23})"},
    {"ME of 4 fields", kBody, "1,ME,2,3",
     R"({"details":{"EventCause":"unknown","device":""},"type":24})"},
    {"ME of 5 fields", kBody, "1,ME,2,3,14",
     R"({"details":{"EventCause":"doNotDisturb","device":""},"type":24})"},
    {"ME", kBody, "1,ME,2,3,14,12:3456",
     R"({"details":{"EventCause":"doNotDisturb","device":"3456"},"type":24})"},
    {"FW", kBody, "1,FW,2,3,12:3456,789",
     R"({"details":{"destPdnID":"789","destination":"789","forwardingPdnID":"12","forwardingdevice":"3456"},"type":25})"},
    {"FW with nothing after the colon", kBody, "1,FW,2,3,12:,12:789,a,b,c",
     R"({"details":{"destPdnID":"12","destination":"789","forwardingPdnID":"12","forwardingdevice":"12"},"type":25})"},
  };
  // clang-format on
  for (const EventCase& c : cases) {
    const std::unique_ptr<Lvl2RawCmdEvt> message = receive(c.form, c.text);
    EXPECT_EQ(pageText(*message), std::string(c.page) + "\n") << c.what;
    // Posted under code 0 whatever the ids of the server text.
    EXPECT_EQ(message->requestId(), 0) << c.what;
    EXPECT_EQ(message->prefix(), "") << c.what;
  }
}

TEST(Lvl2RawCmdEvtTest, NothingSurvivesIntoTheNextEvent) {
  const std::unique_ptr<Lvl2RawCmdEvt> first = receive(kBody, "1,CC,2,3,h1,3");
  EXPECT_EQ(pageText(*first), R"({"details":{"EventCause":"busy","handle":"h1"},"type":21})"
                              "\n");
  const std::unique_ptr<Lvl2RawCmdEvt> second = receive(kBody, "1,CC,2,3");
  EXPECT_EQ(pageText(*second), R"({"details":{"EventCause":"unknown","handle":""},"type":21})"
                               "\n");
}

TEST(Lvl2RawCmdEvtTest, EveryCodeBuildsItsClass) {
  struct Row {
    const char* code;
    int type;
  };
  const Row rows[] = {
      {"nBP", 22},      {"CC", 21},  {"CALLINFO", 18}, {"CO", 11}, {"XC", 3},  {"DE", 2},
      {"DI", 10},       {"DND", 23}, {"ES", 6},        {"FA", 1},  {"FW", 25}, {"HE", 7},
      {"ME", 24},       {"NT", 15},  {"OR", 16},       {"QU", 17}, {"RE", 8},  {"SI", 12},
      {"SPCLCALL", 20}, {"TR", 9},   {"nTVF", 14},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> fields = {"x", row.code, "y", "z"};
    const std::unique_ptr<RawCmdEvent> event =
        RawCmdEventFactory::instance().create(row.code, fields);
    Json::Value out;
    event->toJson(out);
    ASSERT_TRUE(out.isObject()) << row.code;
    EXPECT_EQ(out.size(), 2u) << row.code;
    EXPECT_EQ(out["type"], Json::Value(row.type)) << row.code;
    EXPECT_TRUE(out["details"].isObject()) << row.code;
  }
}

TEST(Lvl2RawCmdEvtTest, CodeWithoutClassGivesPlainEvent) {
  const std::vector<std::string> fields = {"a", "ZZ", "b", "c", "d"};
  const std::unique_ptr<RawCmdEvent> event = RawCmdEventFactory::instance().create("ZZ", fields);
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(typeid(*event), typeid(RawCmdEvent));
  EXPECT_EQ(event->header()[0], "a");
  EXPECT_EQ(event->header()[3], "c");
  Json::Value out;
  event->toJson(out);
  EXPECT_TRUE(out.isNull());

  EXPECT_EQ(RawCmdEvent({"a", "b", "c"}).header()[0], "");
}

TEST(Lvl2RawCmdEvtTest, ShortPayloadHoldsNoEvent) {
  EXPECT_EQ(Lvl2RawCmdEvt(kServiceLvl2, "RAWCMD", 5, 6, "a,DE,b").event(), nullptr);
  EXPECT_EQ(Lvl2RawCmdEvt(kServiceLvl2, "RAWCMD", 5, 6, "").event(), nullptr);
  const Lvl2RawCmdEvt unknown(kServiceLvl2, "RAWCMD", 5, 6, "a,ZZ,b,c");
  ASSERT_NE(unknown.event(), nullptr);
  EXPECT_EQ(unknown.service(), "");
  EXPECT_EQ(unknown.command(), "");
}

TEST(RawCmdConferencedEventTest, PartiesKeepTheirFollowingText) {
  const std::vector<std::string> fields = {"1",   "CO",   "2",      "3",   "12:201",
                                           "c1",  "c2",   "12:202", "2",   "12:3456",
                                           "a,b", "3457", "",       "tail"};
  const RawCmdConferencedEvent event(fields);
  ASSERT_EQ(event.parties().size(), 2u);
  EXPECT_EQ(event.parties()[0].first(), "12:3456");
  EXPECT_EQ(event.parties()[0].second(), "a,b");
  EXPECT_EQ(event.parties()[1].first(), "3457");
  EXPECT_EQ(event.parties()[1].second(), "");
}

}  // namespace
