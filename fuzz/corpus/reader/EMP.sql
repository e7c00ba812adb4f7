-- 社員マスタ
DROP TABLE EMP;
CREATE TABLE EMP (
    EMPNO     NUMBER(4)     NOT NULL,   -- 社員番号
    ENAME     VARCHAR2(10),             -- 氏名
    JOB       CHAR(9),
    HIREDATE  DATE,
    SAL       NUMBER(7,2),
    CONSTRAINT PK_EMP PRIMARY KEY (EMPNO)
);
COMMIT;
