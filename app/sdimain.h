// The configurator's main window: every control of the window, the data the
// operations and the meter exchanges share, and the operation frame.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "controls/zytdatetimepicker.h"
#include "controls/zytprogressbar.h"
#include "grid/viduzozezuvodu.h"
#include "platform/comctrls/chart.h"
#include "platform/comctrls/actnlist.h"
#include "platform/comctrls/comctrls.h"
#include "platform/comctrls/comctrls_datetime.h"
#include "platform/comctrls/comctrls_spin.h"
#include "platform/dialogs/dialogs.h"
#include "platform/comctrls/extctrls.h"
#include "platform/forms/forms.h"
#include "platform/graphics/graphics.h"
#include "platform/comctrls/menus.h"
#include "platform/stdctrls/stdctrls.h"
#include "serial/srcomm.h"
#include "app/tariftypes.h"

// One half-hour of the load profile; Date 0 means never filled. Value bit 15
// marks an incomplete interval.
struct TSrezRecord {
  int32_t Index = 0;
  TDateTime Date = 0;
  TDateTime Time = 0;
  uint16_t Value = 0;
};

class TFrame1;

class TMainForm : public TForm {
public:
  explicit TMainForm(TComponent* AOwner);
  ~TMainForm() override;

  // ---- Connection panel
  TPanel* Panel2;
  TLabel* Label4;
  TCSpinEdit* TimeOut;
  TLabel* Label3;
  TComboBox* ComboBox2;
  TLabel* Label2;
  TComboBox* ComboBox1;
  TLabel* Label24;
  TMaskEdit* Password;
  TLabel* Label1;
  TCSpinEdit* Zav_n;
  TZytProgressBar* ProgressBar1;

  // ---- Frame of the window
  TStatusBar* StatusBar1;
  TToolBar* ToolBar1;
  TToolButton* ToolButton1;
  TToolButton* ToolButton2;
  TToolButton* ToolButton3;
  TToolButton* ToolButton4;
  TToolButton* ToolButton5;
  TToolButton* ToolButton6;
  TToolButton* ToolButton7;
  TToolButton* ToolButton8;
  TToolButton* ToolButton19;
  TToolButton* ToolButton9;
  TToolButton* ToolButton10;
  TToolButton* ToolButton20;
  TToolButton* ToolButton21;
  TToolButton* ToolButton11;
  TToolButton* ToolButton12;
  TToolButton* ToolButton13;
  TToolButton* ToolButton14;
  TToolButton* ToolButton15;
  TToolButton* ToolButton16;
  TToolButton* ToolButton17;
  TToolButton* ToolButton18;
  TPanel* TreeView1;  // kept hidden: the tree has no function in this window
  TSplitter* Splitter1;
  TPageControl* PageControl1;

  // ---- Page "Общие"
  TTabSheet* TabSheet_obschie;
  TLabel* Label7;
  TLabel* Label_model;
  TLabel* Label5;
  TLabel* Label_version;
  TLabel* Label6;
  TLabel* Label_place;
  TLabel* Label31;
  TListBox* Monitor;

  // ---- Page "Дата/Время и прочие настройки"
  TTabSheet* TabSheet_data_time;
  TDateTimePicker* DateTimePicker1;
  TMonthCalendar* MonthCalendar1;
  TLabel* wday_a_lable;
  TCheckBox* Real_time_CheckBox;
  TCheckBox* CheckBox1;
  TGroupBox* GroupBox1;
  TLabel* Label32;
  TEdit* New_Password;
  TEdit* New_Password2;
  TButton* ChangePass;
  TGroupBox* GroupBox2;
  TEdit* Place_e;
  TButton* Button4;
  TButton* Button5;
  TPanel* Panel4;
  TRadioGroup* Skor;
  TButton* Button102;
  TButton* Button101;
  TGroupBox* Screen;
  TCheckBox* Scr[13];  // Scr_0 .. Scr_12
  TButton* Button21;
  TButton* Button22;

  // ---- Page "Тарифное расписание"
  TTabSheet* TabSheet13;
  TPageControl* PageControl6;
  TTabSheet* TabSheet15;
  TTabSheet* TabSheet14;
  TPanel* Panel3;
  TSpeedButton* SpeedButton1;
  TSpeedButton* SpeedButton2;
  TDateTimePicker* Date_t;
  TDateTimePicker* Time_t;
  TButton* Button19;
  TButton* Button20;
  TFrame1* Frame11;  // main schedule, on TabSheet15
  TFrame1* Frame12;  // second schedule, below Panel3
  // Shows month 1..12 of TarifTable in the frame's hour grid; reads it back.
  void OutSeazon(int Month);
  void R_OutSeazon(int Month);
  void InSeazon(int Month);
  void R_InSeazon(int Month);
  // Shows SpecialDays in the frame's special-day grid; one row of it.
  void OutKalendar();
  void R_OutKalendar();
  void OutTable(int Kind, int Entry);
  void R_OutTable(int Kind, int Entry);
  // Reads the special-day grid back into entries 0..23 of SpecialDays.
  void InKalendar();
  void R_InKalendar();
  // Reads both grids of Frame back into TarifTable and SpecialDays; false,
  // with the box of bad input shown and nothing changed, when a cell does
  // not convert (or, ForMeter, holds no tariff 1..4).
  bool ReadScheduleBack(TFrame1* Frame, bool ForMeter);

  // ---- The other pages; their own controls come with their operations.
  TTabSheet* TabSheet16;
  TTabSheet* TabSheet17;
  TTabSheet* TabSheet18;
  TTabSheet* TabSheet22;
  TTabSheet* TabSheet26;
  // Controls of those pages that the window itself already uses (locking,
  // start-up values, menu items).
  TDateTimePicker* Date_sr0;
  TDateTimePicker* Date_sr1;
  TListBox* ListBox1;
  TDateTimePicker* Date_sr0R;
  TDateTimePicker* Date_sr1R;
  TListBox* ListBox2;
  TComboBox* ComboBox_period_srez;
  TComboBox* ComboBox_period_srezR;
  TZytDateTimePicker* ZytDateTimePicker1;  // variable-period active: start, end
  TZytDateTimePicker* ZytDateTimePicker2;
  TZytDateTimePicker* ZytDateTimePicker3;  // variable-period reactive: start, end
  TZytDateTimePicker* ZytDateTimePicker4;
  TCheckBox* CheckBox_12_month;
  TCheckBox* CheckBox_12_month_R;

  // ---- Page "Энергия" (TabSheet22): energy operations' controls
  // (energy operations' block)
  TPageControl* PageControl9;
  TTabSheet* TabSheet23;  // "Актив. Энергия"
  TLabel* Label8;
  TEdit *EneA_T1, *EneA_T2, *EneA_T3, *EneA_T4, *EneA_S;
  TLabel* EneA_Captions[5];  // "Т1".."Т4", "Всего"
  TPageControl* PageControl2;
  TTabSheet* TabSheet1;
  TTabSheet* TabSheet2;
  VIduZozezuVodu* tabl_12_month;        // month-end registers, row = month
  VIduZozezuVodu* tabl_delta_12_month;  // monthly increments
  TTabSheet* TabSheet24;  // "Реак. Энергии"
  TLabel* Label9;
  TEdit *EneR_T1, *EneR_T2, *EneR_T3, *EneR_T4, *EneR_S;
  TLabel* EneR_Captions[5];
  TPageControl* PageControl3;
  TTabSheet* TabSheet7;
  TTabSheet* TabSheet8;
  VIduZozezuVodu* tabl_12_month_R;
  VIduZozezuVodu* tabl_delta_12_month_R;
  // The two "Читать за 12 месяцев" boxes follow each other.
  void CheckBox_12_monthClick(TObject* Sender);
  void CheckBox_12_month_RClick(TObject* Sender);

  // ---- Page "Срезы энергии" (TabSheet18): load profile controls
  // (load profile block)
  TPageControl* PageControl90;
  TTabSheet* TabSheet19;  // "30 мин. Акт. энергии"
  TTabSheet* TabSheet20;  // "30 мин. Реакт. энергии"
  TTabSheet* TabSheet21;  // variable period, active
  TTabSheet* TabSheet3;   // variable period, reactive
  TLabel* ProfileLabels[4][5];  // the captions of each of the four pages
  TButton* Button6;  // "Стоп" of each page: 30 min. active, reactive,
  TButton* Button2;  // variable period active, reactive
  TButton* Button1;
  TButton* Button9;
  TButton *Button30, *Button31;  // period "Читать", "Записать" (active page)
  TButton *Button7, *Button8;    // the same on the reactive page
  TPageControl *PageControl4, *PageControl5, *PageControl8, *PageControl10;
  TTabSheet *TabSheet9, *TabSheet10, *TabSheet11, *TabSheet12;  // "Табличный вид" / "Графический вид"
  TTabSheet *TabSheet5, *TabSheet6, *TabSheet4, *TabSheet25;
  VIduZozezuVodu *cutStringGrid, *cutStringGridR, *cutStringGridPA, *cutStringGridPR;
  TChart *cutChart, *cutChartR, *cutChartPA, *cutChartPR;
  TLineSeries *Series1, *Series2, *Series3, *Series4;
  // The days stored by the last 30-minute read of each kind: slot 0 unused,
  // list item i shows slot i + 1; grows with the days read.
  using TSrezDay = std::array<TSrezRecord, 48>;
  std::vector<TSrezDay> SrezDaysA, SrezDaysR;
  // The last value of each variable-period read.
  TSrezRecord SrezPeriodA, SrezPeriodR;
  // One day (30-minute) or one step (variable period): 0 stored, 1 port not
  // opened, 3 failed, 5 no data.
  int ReadSrezA();
  int ReadSrezR();
  int ReadSrezPA();
  int ReadSrezPR();
  void ListBox1Click(TObject* Sender);
  void ListBox2Click(TObject* Sender);
  void Button6Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void ComboBox_period_srezChange(TObject* Sender);
  void ComboBox_period_srezRChange(TObject* Sender);

  // ---- Pages "Ограничения" (TabSheet16) and "Журнал событий" (TabSheet17)
  // (limits and events block)
  TBitBtn* BitBtn3;  // "Прочитать"
  TBitBtn* BitBtn2;  // "Установить"
  TEdit* Limit_Power_Edit;
  TEdit *Limit_Energy_Edit1, *Limit_Energy_Edit2, *Limit_Energy_Edit3, *Limit_Energy_Edit4;
  TCheckBox *CheckBox21, *CheckBox22, *CheckBox23, *CheckBox24;  // flag byte A, bits 7..0
  TCheckBox *CheckBox25, *CheckBox26, *CheckBox27, *CheckBox28;
  TCheckBox *CheckBox9, *CheckBox10, *CheckBox11, *CheckBox12, *CheckBox13, *CheckBox14;  // flag byte B
  TRadioGroup* EventGroup;  // item index = event kind
  TStringGrid* StringGridEvents;
  void EventGroupClick(TObject* Sender);
  // Shows the stored records of one event kind.
  void EventOut(int Kind);

  // ---- Page "ККС/Монитор сети" (TabSheet26)
  // (network quality block)
  TGroupBox* GroupBox3;  // setpoints
  TEdit *Edit99, *Edit100, *Edit101, *Edit102, *Edit103, *Edit104;
  TButton *Button14, *Button15;
  TGroupBox* GroupBox4;  // quality log
  TButton *Button16, *Button17, *Button18;
  VIduZozezuVodu* StringGridKKS;
  TGroupBox* GroupBox5;  // network monitor
  TEdit *A_U, *A_I, *A_F, *A_W, *A_VAR;
  TEdit *B_U, *B_I, *B_F, *B_W, *B_VAR;
  TEdit *C_U, *C_I, *C_F, *C_W, *C_VAR;
  TButton *Button_A, *Button_B, *Button_C;
  TMemo* Memo1;
  // Shows the quality log in KksLog (of the phase just read).
  void KKSOut(int Phase);

  // ---- Menus, actions and other components
  TMainMenu* MainMenu1;
  TMenuItem *N2, *N4, *N6, *N7, *N10, *N121, *N11, *N122, *N301, *N302, *N13, *N14;
  TMenuItem *N19, *N20, *N24, *N25, *N21, *N22, *N18, *N23, *N26, *N27, *N29, *N31, *N32;
  TMenuItem *N36, *N37, *N38, *N34, *N35, *N39, *N43, *N44, *N45, *B1, *C1, *Xbfnm1, *B2, *N46;
  TMenuItem *Help1, *HelpAboutItem;
  TActionList* ActionList1;
  TAction *FileNew1, *FileOpen1, *FileSave1, *FileSaveAs1, *FileExit1, *HelpAbout1;
  TEditCut* EditCut1;
  TEditCopy* EditCopy1;
  TEditPaste* EditPaste1;
  TsrComm* srComm1;
  TTimer* Timer1;
  TImageList* ImageList1;
  TImageList* ImageList2;
  TOpenDialog* OpenDialog;
  TSaveDialog* SaveDialog;

  // ---- Shared data (zero at creation unless stated)
  int32_t MeterAddr = 0;
  int32_t PswValue = 0;
  uint32_t PswCoded = 0;
  int32_t NewPsw = 0;
  int32_t NewPsw2 = 0;
  int32_t CrcReg = 0;
  uint8_t RxBuf[255] = {};
  uint8_t TxBuf[255] = {};
  uint8_t SpareBuf[255] = {};
  int32_t RxCount = 0;
  int32_t ExpLen = 0;
  int16_t MeterModel = 0;
  int16_t MeterVersion = 0;
  char PlaceText[16] = {};
  uint8_t SerNumErr = 0;
  uint8_t NewSerNum[4] = {};
  char TimeText[56] = {};
  int32_t EnergyTotal[4] = {};
  int32_t EnergyLimit[4] = {};
  int32_t PowerLimit = 0;
  int32_t KksVoltage[10] = {};
  int32_t MonthReg[4][13] = {};  // indexed by month 1..12
  int32_t MonthDelta[4][13] = {};  // indexed by month 1..12
  TTarifMonth TarifTable[12];
  TSpecialDay SpecialDays[30];
  int32_t MeterWeekday = 0;
  int32_t RxdResult = 0;
  int32_t MaxSumMonth = 0;
  int32_t MaxSum = 0;
  int32_t SrezSlot = 0;
  int32_t TarifResultSum = 0;
  int32_t MonValue[5] = {};
  int32_t LimitFlagsB = 0;
  uint8_t LimitFlagsA = 0;
  uint8_t EventLog[22][60] = {};
  uint8_t KksLog[10][110] = {};
  TDateTime RecDates[12] = {};
  TDateTime RecTimes[12] = {};

  // The serial read into RxBuf never asks for more than the buffer holds.
  static constexpr DWORD RxReadLimit = sizeof(RxBuf);

  // ---- Window events
  void FormCreate(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);

  // ---- Operation starters (each creates a TProThread with its code)
  void StartOperation(unsigned Code);
  void ToolButton1Click(TObject* Sender);
  void ToolButton2Click(TObject* Sender);
  void ToolButton4Click(TObject* Sender);
  void ToolButton5Click(TObject* Sender);
  void ToolButton7Click(TObject* Sender);
  void ToolButton8Click(TObject* Sender);
  void ToolButton9Click(TObject* Sender);
  void ToolButton10Click(TObject* Sender);
  void ToolButton12Click(TObject* Sender);
  void ToolButton13Click(TObject* Sender);
  void Button19Click(TObject* Sender);
  void Button20Click(TObject* Sender);
  void SpeedButton1Click(TObject* Sender);
  void SpeedButton2Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button102Click(TObject* Sender);
  void Button101Click(TObject* Sender);
  void ChangePassClick(TObject* Sender);
  // The display screens: read and write run in the click itself.
  void Button21Click(TObject* Sender);
  void Button22Click(TObject* Sender);
  void Scr_clear();
  void BitBtn3Click(TObject* Sender);
  void ToolButton15Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);
  void Button30Click(TObject* Sender);
  void Button31Click(TObject* Sender);
  void ToolButton20Click(TObject* Sender);
  void ToolButton21Click(TObject* Sender);
  void Button14Click(TObject* Sender);
  void Button15Click(TObject* Sender);
  void Button18Click(TObject* Sender);
  void Button17Click(TObject* Sender);
  void Button16Click(TObject* Sender);
  void Button_AClick(TObject* Sender);
  void Button_BClick(TObject* Sender);
  void Button_CClick(TObject* Sender);

  // ---- Forwarding menu items
  void N10Click(TObject* Sender);
  void N121Click(TObject* Sender);
  void N11Click(TObject* Sender);
  void N122Click(TObject* Sender);

  // ---- Actions
  void FileNew1Execute(TObject* Sender);
  void FileOpen1Execute(TObject* Sender);
  void FileSave1Execute(TObject* Sender);
  void FileExit1Execute(TObject* Sender);
  void HelpAbout1Execute(TObject* Sender);

  // ---- Commands of the tariff frames: clear, load and save a ".tar" file
  void Frame11N5Click(TObject* Sender);
  void Frame12N5Click(TObject* Sender);
  void Frame11N7Click(TObject* Sender);
  void Frame11N8Click(TObject* Sender);
  void Frame12N7Click(TObject* Sender);
  void Frame12N8Click(TObject* Sender);

  // ---- Operations (codes 1..35)
  void LocAdrConn();
  void ZavAdrConn();
  void RedClock();
  void WriteClock();
  void readAEnergy();
  void readREnergy();
  void SrezA_Read();
  void SrezR_Read();
  void Tar_Read();
  void Tar_Write();
  void ReadTarChang();
  void WriteTarChang();
  void R_Tar_Read();
  void R_Tar_Write();
  void Read_Plase();
  void Write_Plase();
  void Update_Speed();
  void Reset();
  void ChengPass();
  void Read_Limit();
  void Read_Event();
  void Write_Limit();
  void Read_Preriod_srez();
  void Write_Preriod_srez();
  void Preriod_SrezA_Read();
  void Preriod_SrezR_Read();
  void Setting_KKS_Read();
  void Setting_KKS_Write();
  void KKS_Read_C();
  void KKS_Read_B();
  void KKS_Read_A();
  void Read_Mon_A();
  void Read_Mon_B();
  void Read_Mon_C();

  // ---- Meter exchanges (defined in meter/). Each returns 0 on success and a
  // failure code otherwise; see the codes of each command.
  int32_t CalcPoly(const uint8_t* Data, int Length);
  void ClrBuf();
  void Del(int Steps);
  // Identification and login
  int RxdInfo();
  int RxdRdInfo();
  int RxdRdRandom();
  int RxdWrPsw();
  // Clock
  int RxdRdTime();
  int RxdWrTime();
  int RxdRdRemove();
  int RxdWrRemove();
  // Energy registers
  int RxdRdCountA();
  int RxdRdCountR();
  int rxd_rd_month(int Month);
  int rxd_rd_monthR(int Month);
  void Delta12();
  void Delta12R();
  // Load profiles
  int RxdRd30m(int Kind);
  int RxdRdXm(int Kind);
  int RxdRdPeriodXSrez();
  int RxdWrPeriodXSrez();
  // Meter settings and screens
  int RxdWrPlace();
  int WrSkor();
  int RxdReset();
  int Rxd_wr_password();
  void RxdWrSerNum12();
  void RxdWrSerNum34();
  int ReadScr(int Screen);
  // The screen's byte in Value when the answer passes its checks.
  bool TryReadScr(int Screen, int& Value);
  int WrScr(int Screen, int Value);
  // Limits, events, network quality
  int Limit_rd();
  int Limit_wr();
  int RxdRdEvent(int Kind);
  int ReadUstavki(int Index);
  int WrUstavki(int Index);
  int RxdRdkks(int Phase);
  int RxdUIFWVAR(int Phase);
  // Tariff schedules: Cmd picks the main or the second schedule.
  void PackTarif(uint8_t* Target, int Month);
  void UnPackTarif(const uint8_t* Source, int Month);
  int RxdRdTarzon(int Month, uint8_t Cmd);
  int RxdWrTarzon(int Month, uint8_t Cmd);
  int RxdRdKal(uint8_t Cmd);
  int RxdWrKal(uint8_t Cmd);
  int ReadTarifChang();
  int WriteTarifChang();
  // Saves the main schedule as a ".tar" file: 0 written, 1 cancelled, 2 not.
  int LoadFileKalendar();

  // ---- Steps shared by the exchanges (meter/Comands_frame.cpp)
  // Puts the address and Cmd into TxBuf[0..3] (the data at 4.. is already
  // in place), the CRC into the last two bytes, drops whatever waits in the
  // input queue (a late answer to an earlier try), sends and pauses.
  void SendRequest(uint8_t Cmd, int RequestLength);
  // The same for a frame whose first bytes are already in TxBuf (the short
  // identification request carries no address).
  void SendFrame(int RequestLength);
  // T of the wait kinds: TimeOut, or k x L when that is longer.
  DWORD ExchangeWaitTime(int K, int L) const;
  // Counted wait for Count bytes within ExchangeWaitTime(K, L); with
  // ReadAlways whatever arrived is read after a time-out too.
  void WaitCounted(int Count, int K, int L, bool ReadAlways);
  // Settled wait: false when the L bytes did not come in time (nothing read).
  bool WaitSettled(int K, int L);
  // Head wait of the load profiles: 8 bytes, then the rest of T.
  void WaitHead(int K, int L);
  // Fixed pause: sleeps TimeOut, then reads what is there.
  void WaitFixedPause();
  // Status text + monitor line; returns Code.
  int ExchangeFailure(const char* Text, int Code);
  // The check orders of reads and acknowledged writes; 0 when all pass,
  // else the failure's code after ExchangeFailure.
  struct TAnswerCodes {
    int Count = 1, Command = 1, Status = 1, Crc = 1;
    const char* CommandText = nullptr;  // nullptr: the common texts
    const char* CrcText = nullptr;
  };
  int CheckRead(int Length, uint8_t Cmd, const TAnswerCodes& Codes);
  int CheckRead(int Length, uint8_t Cmd) { return CheckRead(Length, Cmd, TAnswerCodes{}); }
  int CheckAck(uint8_t Cmd, const TAnswerCodes& Codes);
  int CheckAck(uint8_t Cmd) { return CheckAck(Cmd, TAnswerCodes{}); }
  bool CrcResidueZero(int Length);

  // ---- Dispatch and the common operation frame
  using TOperation = void (TMainForm::*)();
  // The operation of a code; nullptr for 0 and codes above 35.
  static TOperation OperationOf(unsigned Code);
  // Runs the operation of Code under the busy guard (see RunExclusive).
  bool DoOperation(unsigned Code);
  // Runs Body as the one operation of the window: refused with a beep when
  // another runs; nothing raised escapes, and on every way out the port is
  // closed and the controls are unlocked. False when refused.
  bool RunExclusive(const std::function<void()>& Body);
  bool IsBusy() const { return FBusy; }

  int Connect();
  void Kn_off();
  void Kn_on();
  void Display_mon();
  // Up to three tries of Exchange while RxdResult is not 0 (nor 5 when
  // StopOnNoData); with Pause, each try first waits TimeOut milliseconds.
  void RunTries(const std::function<int()>& Exchange, bool PauseFirst, bool StopOnNoData = false);
  // Close, status text, monitor line, pump, unlock.
  void FinishOperation(const AnsiString& SuccessText, const AnsiString& FailureText);
  // The settings operations' order: status text, monitor line, close, unlock.
  void ReportThenClose(const AnsiString& SuccessText, const AnsiString& FailureText);
  // Waits Ms milliseconds (through SleepHook when set); with Pumping the
  // window keeps handling its messages meanwhile.
  void Pause(DWORD Ms, bool Pumping = false);
  void SetStatusText(const AnsiString& Text);
  AnsiString GetStatusText() const;

  // Test seams: when set, they run instead of the operation of a code and
  // instead of the pause before a try.
  std::function<void(unsigned Code)> OperationHook;
  std::function<void(DWORD)> SleepHook;

private:
  void BuildConnectionPanel();
  void BuildToolBar();
  void BuildPages();
  void BuildPageGeneral();
  void BuildPageDateTime();
  void BuildPageTariffs();
  void BuildOtherPages();
  // Each page's controls and grid headings, in the page's own file.
  void BuildPageEnergy();    // sdimain_page_energy.cpp
  void BuildPageProfiles();  // sdimain_page_profiles.cpp
  void BuildPageLimits();    // sdimain_page_limits.cpp: limits and event log
  void BuildPageQuality();   // sdimain_page_quality.cpp
  void SetEnergyHeadings();
  void SetProfileHeadings();
  void SetLogHeadings();
  void BuildMenu();
  void BuildActions();
  void BuildComponents();

  bool FBusy = false;
  bool FCloseDeferred = false;
};

extern TMainForm* MainForm;
