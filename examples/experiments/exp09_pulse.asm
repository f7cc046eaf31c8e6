; 实验九 脉冲计数
; 入口 06E0H，结束于 PULSE_END 处的死循环。
; 作用：像定时器 T0 的计数方式那样，数出 T0 引脚（P3.4）电平由 1 变 0 的次数。模拟器不模拟定时器，
;       所以引脚的电平是一张采样表：每字节 8 次采样，高位在前，1 为高电平。第一次采样之前的电平
;       算作与第一次采样相同。
; 输入：程序存储区 1800H 为采样字节数 N（0-64，大于 64 按 64 处理），
;       1801H 起为 N 个采样字节（1801H-1840H 留有 64 个字节的位置）。
;       原有输入：4 个字节 F0H CCH AAH FFH。
; 输出：内部 RAM 30H-31H 为脉冲个数，高字节在前（原有输入得 00H 07H）。
; 修改输入：在存储空间窗口选“程序存储区”，改写 1800H 起的字节数和采样，再从入口运行。
;
; Experiment 9: counting pulses.
; Entry 06E0H; ends in the loop at PULSE_END.
; Counts the falling edges (1 to 0) of the T0 pin (P3.4), as timer 0 counts in counter mode. The
; simulator models no timers, so the pin is a table of samples: 8 samples a byte, high bit first,
; 1 for a high level. The level before the first sample counts as equal to the first sample.
; Inputs: program memory 1800H the number of sample bytes N (0 to 64; more counts as 64), then
;       N sample bytes from 1801H on (1801H-1840H has room for 64).
;       As built: the 4 bytes F0H CCH AAH FFH.
; Output: internal RAM 30H-31H the number of pulses, high byte first (00H 07H as built).
; To change the inputs, overwrite 1800H on in program memory and run again from the entry.

        NAME    PULSE
        PUBLIC  PULSE_MAIN

PULSE_MAX EQU   64
PULSES  EQU     30H             ; 30H high byte, 31H low byte
LEVEL   BIT     00H             ; the pin's last sample (bit 0 of 20H)

        CSEG    AT 1800H
PULSE_IN:
        DB      4               ; number of sample bytes
        DB      0F0H, 0CCH, 0AAH, 0FFH
        DS      PULSE_MAX-4     ; room for the longest table

PULSE_MAIN:
        MOV     DPTR,#PULSE_IN
        CLR     A
        MOVC    A,@A+DPTR
        MOV     R7,A            ; R7: sample bytes left
        CLR     C
        SUBB    A,#PULSE_MAX+1  ; borrow when N fits
        JC      PULSE_COUNTED
        MOV     R7,#PULSE_MAX
PULSE_COUNTED:
        MOV     R2,#0           ; R2 R3: pulses so far
        MOV     R3,#0
        MOV     A,R7
        JZ      PULSE_DONE
        INC     DPTR
        CLR     A
        MOVC    A,@A+DPTR
        RLC     A               ; the first sample
        MOV     LEVEL,C
PULSE_BYTE:
        CLR     A
        MOVC    A,@A+DPTR
        MOV     R5,A
        MOV     R6,#8
PULSE_SAMPLE:
        MOV     A,R5
        RLC     A               ; the next sample into C
        MOV     R5,A
        JC      PULSE_HIGH
        JNB     LEVEL,PULSE_NEXT
        CLR     LEVEL           ; 1 to 0: one more pulse
        INC     R3
        CJNE    R3,#0,PULSE_NEXT
        INC     R2
        SJMP    PULSE_NEXT
PULSE_HIGH:
        SETB    LEVEL
PULSE_NEXT:
        DJNZ    R6,PULSE_SAMPLE
        INC     DPTR
        DJNZ    R7,PULSE_BYTE
PULSE_DONE:
        MOV     PULSES,R2
        MOV     PULSES+1,R3

PULSE_END:
        SJMP    PULSE_END

        END
