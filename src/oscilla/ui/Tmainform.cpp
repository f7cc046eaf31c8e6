#include "Tmainform.h"

#include "EComPort.h"
#include "PortNames.h"
#include "TMessageEvent.h"
#include "TiScopeControl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr uint8_t FrameRequest = 0xAA;
// Where the port list and the buttons sit, counted from the scope's lower right
// corner (the 888 x 416 scope has them at 728, 320 and 808, 360).
constexpr int PortControlsRight = 888, PortControlsBottom = 416;
constexpr int StatusIntervalMs = 250;

} // namespace

Tmainform::Tmainform(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("示波器  Corvel 教学实验室  oscilla@corvel.example"));
  setFont(QFont(QStringLiteral("MS Sans Serif")));
  setMinimumSize(MinimumClientSize);
  resize(888, 416);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  iScope1 = new TiScopeControl(this);
  iScope1->setGeometry(rect());
  BuildControls();
  SetStoredSettings();
  FormCreate();
  // A coarse timer may fire 5 % early; the device is promised its full pause.
  RequestTimer.setTimerType(Qt::PreciseTimer);
  RequestTimer.setSingleShot(true);
  RequestTimer.setInterval(RequestPauseMs);
  connect(&RequestTimer, &QTimer::timeout, this, [this] { RequestNextFrame(); });
  StatusTimer.setInterval(StatusIntervalMs);
  connect(&StatusTimer, &QTimer::timeout, this, [this] { UpdateStatus(); });
}

Tmainform::~Tmainform() {
  ComPort1.Close();
}

void Tmainform::BuildControls() {
  StaticText1 = new QLabel(QStringLiteral("串口:"), iScope1);
  QFont bold = StaticText1->font();
  bold.setBold(true);
  bold.setPixelSize(16);
  StaticText1->setFont(bold);
  Cb_comm = new QComboBox(iScope1);
  QFont song(QStringLiteral("宋体"));
  song.setPixelSize(11);
  Cb_comm->setFont(song);
  bb_sample = new QPushButton(QStringLiteral("采样"), iScope1);
  bb_stop = new QPushButton(QStringLiteral("停止"), iScope1);
  bb_stop->setEnabled(false);
  StaticText1->setAccessibleName(QStringLiteral("串口:"));
  Cb_comm->setAccessibleName(QStringLiteral("串口"));
  bb_sample->setAccessibleName(QStringLiteral("采样"));
  bb_stop->setAccessibleName(QStringLiteral("停止"));
  PlacePortControls();
  setTabOrder(Cb_comm, bb_sample);
  setTabOrder(bb_sample, bb_stop);
  connect(bb_sample, &QPushButton::clicked, this, [this] { bb_sampleClick(); });
  connect(bb_stop, &QPushButton::clicked, this, [this] { bb_stopClick(); });
}

// The settings the window's stored layout gives the scope and the port.
void Tmainform::SetStoredSettings() {
  TiScope& scope = iScope1->Scope();
  scope.SamplesPerSecond = 30000;
  scope.SetUpdateFrameRate(1000);
  scope.HideControlPanels = false;
  scope.PrintMarginLeft = scope.PrintMarginTop = scope.PrintMarginRight = scope.PrintMarginBottom =
      1.0;
  scope.PrintDocumentName = "Wave";
  scope.ClearChannels();
  scope.AddChannel();
  TiScopeChannel& ch = scope.ChannelAt(0);
  ch.SetVoltsPerDivision(5.0);
  ch.Coupling = TiScopeChannelCoupling::isccAC;
  ch.TitleText = "CH1";
  scope.RefreshSources();
  scope.TimeBase.SetSecPerDiv(0.001);
  scope.Trigger.SetLevel(50.0);
  scope.Trigger.SetPositiveSlope(true);
  scope.Trigger.SetSourceIndex(0);
  scope.Trigger.SetAuto(true);

  ComPort1.SetBaudRate(TBaudRate::br115200);
  ComPort1.SetPort("COM1");
  ComPort1.Parity().SetBits(TParityBits::prNone);
  ComPort1.SetStopBits(TStopBits::sbOneStopBit);
  ComPort1.SetDataBits(TDataBits::dbEight);
  ComPort1.SetEvents(AllComEvents);
  ComPort1.Buffer().SetInputSize(4096);
  TComFlowControl& flow = ComPort1.FlowControl();
  flow.SetOutCTSFlow(false);
  flow.SetOutDSRFlow(false);
  flow.SetControlDTR(TDTRFlowControl::dtrDisable);
  flow.SetControlRTS(TRTSFlowControl::rtsDisable);
  flow.SetXonXoffOut(false);
  flow.SetXonXoffIn(false);
  ComPort1.OnRxChar = [this](TComPort& sender, int count) { ComPort1RxChar(sender, count); };
}

void Tmainform::FormCreate() {
  TiScope& scope = iScope1->Scope();
  // Qt widgets paint double-buffered already.
  scope.SamplesPerSecond = 445000;
  scope.ChannelAt(0).SetVoltsPerDivision(2.0);
  scope.TimeBase.SetSecPerDiv(0.001);
  scope.Trigger.SetLevel(50.0);
  scope.Trigger.SetPositiveSlope(true);
  scope.Trigger.SetSourceIndex(0);
  scope.Trigger.SetAuto(true);
  Cb_comm->clear();
  for (int n = 1; n <= 10; ++n)
    Cb_comm->addItem(QStringLiteral("COM%1").arg(n));
  Cb_comm->setCurrentIndex(0);
  ShowPortHints();
  iScope1->RefreshPanels();
  // Channels added in the properties dialog start like the first one.
  scope.NewChannel.TakeSettings(scope.ChannelAt(0));
  scope.Display.MeasurementsShow = true;
}

void Tmainform::ShowPortHints() {
  for (int i = 0; i < Cb_comm->count(); ++i) {
    const QString name = Cb_comm->itemText(i);
    const QString device = QString::fromStdString(ResolvePortName(name.toStdString()));
    Cb_comm->setItemData(i, QStringLiteral("%1 = %2").arg(name, device), Qt::ToolTipRole);
  }
  Cb_comm->setToolTip(Cb_comm->currentData(Qt::ToolTipRole).toString());
  connect(Cb_comm, &QComboBox::currentIndexChanged, this,
          [this] { Cb_comm->setToolTip(Cb_comm->currentData(Qt::ToolTipRole).toString()); });
}

void Tmainform::resizeEvent(QResizeEvent*) {
  iScope1->setGeometry(rect());
  PlacePortControls();
}

void Tmainform::PlacePortControls() {
  const int dx = iScope1->width() - PortControlsRight, dy = iScope1->height() - PortControlsBottom;
  StaticText1->setGeometry(728 + dx, 320 + dy, 43, 24);
  Cb_comm->setGeometry(784 + dx, 320 + dy, 73, 19);
  bb_sample->setGeometry(728 + dx, 360 + dy, 50, 25);
  bb_stop->setGeometry(808 + dx, 360 + dy, 50, 25);
}

void Tmainform::bb_sampleClick() {
  const int n = Cb_comm->currentIndex() + 1;
  Frame.SamplePos = 0;
  RequestTimer.stop();
  ComPort1.SetBaudRate(TBaudRate::br115200);
  ComPort1.SetStopBits(TStopBits::sbOneStopBit);
  try {
    ComPort1.SetPort("COM" + std::to_string(n));
    if (ComPort1.Connected()) return;
    ComPort1.SetConnected(true);
    if (!ComPort1.Connected()) return;
    ComPort1.WriteBytes(&FrameRequest, 1);
  } catch (const std::exception& e) {
    ShowError(e);
    return;
  }
  bb_sample->setEnabled(false);
  bb_stop->setEnabled(true);
  Status.Start();
  StatusTimer.start();
  UpdateStatus();
}

void Tmainform::bb_stopClick() {
  StopSampling();
  try {
    if (ComPort1.Connected()) ComPort1.SetConnected(false);
  } catch (const std::exception& e) {
    ShowError(e);
  }
  bb_sample->setEnabled(true);
  bb_stop->setEnabled(false);
}

// A request still waiting for its pause would go to a closed port, or add a
// second request to the one of the next start.
void Tmainform::StopSampling() {
  RequestTimer.stop();
  StatusTimer.stop();
  Status.Stop();
  UpdateStatus();
}

void Tmainform::UpdateStatus() {
  TiScope& scope = iScope1->Scope();
  scope.SetStatus(Status.Status(scope.TriggerWaiting()));
}

void Tmainform::ComPort1RxChar(TComPort& sender, int count) {
  std::vector<uint8_t> bytes(static_cast<size_t>(count));
  const int got = sender.ReadBytes(bytes.data(), count);
  if (got > 0) Status.BytesArrived();
  if (Frame.StoreBytes(bytes.data(), got)) SendMessage(WM_FRAMEFULL, SampleFrame::FrameSize, 0);
}

void Tmainform::WMSampleByte(TMessageEvent& message) {
  if (Frame.StoreSample(static_cast<int32_t>(message.WParam)))
    SendMessage(WM_FRAMEFULL, SampleFrame::FrameSize, 0);
}

void Tmainform::WMFrameFull(TMessageEvent&) {
  Frame.PlotInto(iScope1->Scope());
  UpdateStatus();
  RequestTimer.start();
}

void Tmainform::RequestNextFrame() {
  try {
    ComPort1.WriteBytes(&FrameRequest, 1);
  } catch (const std::exception& e) {
    ShowError(e);
  }
}

void Tmainform::SendMessage(int message, intptr_t wParam, intptr_t lParam) {
  TMessageEvent ev(message, wParam, lParam);
  ev.Sent = true;
  QCoreApplication::sendEvent(this, &ev);
  if (ev.Error) std::rethrow_exception(ev.Error);
}

bool Tmainform::event(QEvent* e) {
  const int type = e->type();
  if (type != WM_SAMPLEBYTE && type != WM_FRAMEFULL) return QWidget::event(e);
  auto& message = static_cast<TMessageEvent&>(*e);
  // Errors must not cross Qt's event dispatch: a sent message carries its error
  // back to the sender, a posted one ends in the application's message box.
  try {
    if (type == WM_SAMPLEBYTE)
      WMSampleByte(message);
    else
      WMFrameFull(message);
  } catch (const std::exception& error) {
    if (message.Sent)
      message.Error = std::current_exception();
    else
      ShowError(error);
  }
  return true;
}

void Tmainform::closeEvent(QCloseEvent* event) {
  StopSampling();
  try {
    if (ComPort1.Connected()) ComPort1.Close();
  } catch (const std::exception& e) {
    ShowError(e);
  }
  event->accept();
}

void Tmainform::ShowError(const std::exception& error) {
  Sync.ShowError(error.what());
}
